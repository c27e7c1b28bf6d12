#pragma once

#include <QWidget>

namespace mecovnik {

// A toolbar's separator: a shadow line and a highlight line over its height.
// While the toolbar is arranged, a left press starts a drag, reported with the
// moves and the release that follow; otherwise its presses go on to the
// toolbar.
class TToolbarSeparator final : public QWidget
{
    Q_OBJECT

public:
    explicit TToolbarSeparator(QWidget* toolbar);

    // Whether presses drag (the toolbar is being arranged).
    void SetArranging(bool arranging) { m_arranging = arranging; }

signals:
    // Screen points; the hot spot is the press point within the separator.
    void DragStarted(QPoint hotSpot, QPoint globalPos);
    void DragMoved(QPoint globalPos);
    void DragReleased(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_arranging = false;
};

} // namespace mecovnik

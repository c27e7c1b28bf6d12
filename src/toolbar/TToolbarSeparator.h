#pragma once

#include "toolbar/TToolbarItemEvent.h"

#include <QWidget>

namespace mecovnik {

// A toolbar's separator: a shadow line and a highlight line over its height.
// While the toolbar is arranged, a left press starts a drag, which it tells
// the toolbar of with the moves and the release that follow; otherwise its
// presses go on to the toolbar.
class TToolbarSeparator final : public QWidget
{
    Q_OBJECT

public:
    explicit TToolbarSeparator(QWidget* toolbar);

    // Whether presses drag (the toolbar is being arranged).
    void SetArranging(bool arranging) { m_arranging = arranging; }

signals:
    // The drag steps, as a toolbar button tells them (TToolbarSpeedButton).
    void Happened(mecovnik::TToolbarItemEvent event, QPoint hotSpot, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_arranging = false;
};

} // namespace mecovnik

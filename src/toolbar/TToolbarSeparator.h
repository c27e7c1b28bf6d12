#pragma once

#include <QWidget>

namespace mecovnik {

class TToolbar;

// A toolbar's separator: a shadow line and a highlight line over its height.
// While the toolbar arranges, a press drags it.
class TToolbarSeparator final : public QWidget
{
    Q_OBJECT

public:
    explicit TToolbarSeparator(TToolbar& toolbar);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TToolbar& m_toolbar;
};

} // namespace mecovnik

#pragma once

#include <QPixmap>
#include <QWidget>

namespace mecovnik {

// The picture of a dragged toolbar item: a frameless window over the whole
// screen that the pointer passes through.
class TDragImage final : public QWidget
{
    Q_OBJECT

public:
    explicit TDragImage(const QPixmap& picture);

    // Shows the picture with its top-left corner at a screen point.
    void MoveTo(QPoint topLeft);
    [[nodiscard]] const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace mecovnik

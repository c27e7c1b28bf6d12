#pragma once

#include <QListView>

#include <functional>

namespace mecovnik {

// A list box whose rows the owner may draw, with one extra mouse event: a
// handler that can take a mouse move away from the list's own handling.
// At most one row is selected, and as in a single-selection list box of the
// system, only choosing another row changes it: a click below the rows, a
// Ctrl+click or Ctrl+Space on the selected row leave it selected. With no row
// selected, Down selects the first row and Up the last.
class TAdvancedListBox : public QListView
{
    Q_OBJECT

public:
    explicit TAdvancedListBox(QWidget* parent = nullptr);
    ~TAdvancedListBox() override;
    Q_DISABLE_COPY_MOVE(TAdvancedListBox)

    // Called on every mouse move over the list with the keys and buttons held
    // and the position in list coordinates (negative outside the left or top
    // edge while the mouse is captured). Returning true marks the move handled:
    // the list does not react to it and MouseMoved is not emitted.
    using TWhenMouseMove =
        std::function<bool(Qt::KeyboardModifiers, Qt::MouseButtons, int x, int y)>;
    TWhenMouseMove WhenMouseMove;

    // Draws one row. option carries the row's rectangle, its state (selected,
    // focused) and the palette; the list fills nothing itself when this is set.
    using TDrawItem =
        std::function<void(QPainter& painter, int row, const QStyleOptionViewItem& option)>;
    TDrawItem OnDrawItem;

    // Fixed height of every row.
    void SetItemHeight(int height);
    [[nodiscard]] int ItemHeight() const { return m_itemHeight; }

    // Selected row, -1 when none.
    [[nodiscard]] int ItemIndex() const;
    void SetItemIndex(int row);
    [[nodiscard]] int Count() const;

signals:
    // The list's ordinary mouse-move event: not emitted for handled moves.
    void MouseMoved(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, int x, int y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    [[nodiscard]] QItemSelectionModel::SelectionFlags
    selectionCommand(const QModelIndex& index, const QEvent* event = nullptr) const override;

private:
    int m_itemHeight = 13;
};

} // namespace mecovnik

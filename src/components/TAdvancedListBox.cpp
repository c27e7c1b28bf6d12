#include "components/TAdvancedListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace mecovnik {

namespace {

// Gives every row the list's fixed height and hands drawing to the owner.
class TOwnerDrawDelegate final : public QStyledItemDelegate
{
public:
    explicit TOwnerDrawDelegate(TAdvancedListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!m_list->OnDrawItem) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        m_list->OnDrawItem(*painter, index.row(), option);
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(QPalette::Highlight);
            m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
        }
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex&) const override
    {
        return {option.rect.width(), m_list->ItemHeight()};
    }

private:
    TAdvancedListBox* m_list;
};

} // namespace

TAdvancedListBox::TAdvancedListBox(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new TOwnerDrawDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TAdvancedListBox::~TAdvancedListBox() = default;

void TAdvancedListBox::SetItemHeight(int height)
{
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    scheduleDelayedItemsLayout();
}

int TAdvancedListBox::ItemIndex() const
{
    if (!selectionModel())
        return -1;
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TAdvancedListBox::SetItemIndex(int row)
{
    if (!model() || !selectionModel())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const auto index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

int TAdvancedListBox::Count() const
{
    return model() ? model()->rowCount() : 0;
}

QItemSelectionModel::SelectionFlags TAdvancedListBox::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const
{
    const auto command = QListView::selectionCommand(index, event);
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    // Qt would take the row out of the selection (Ctrl) or toggle it.
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

void TAdvancedListBox::keyPressEvent(QKeyEvent* event)
{
    // Qt moves on from its current row even when no row is selected, and
    // does nothing when the key leads to that same row.
    const bool down = event->key() == Qt::Key_Down;
    const bool up = event->key() == Qt::Key_Up;
    if ((down || up) && !(event->modifiers() & ~Qt::KeypadModifier) && ItemIndex() < 0 &&
        Count() > 0) {
        const int row = down ? 0 : Count() - 1;
        SetItemIndex(row);
        scrollTo(model()->index(row, modelColumn(), rootIndex()));
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void TAdvancedListBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (WhenMouseMove && WhenMouseMove(event->modifiers(), event->buttons(), pos.x(), pos.y())) {
        event->accept();
        return;
    }
    emit MouseMoved(event->modifiers(), event->buttons(), pos.x(), pos.y());
    QListView::mouseMoveEvent(event);
}

} // namespace mecovnik

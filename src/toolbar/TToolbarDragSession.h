#pragma once

#include "toolbar/TToolbarDrag.h"
#include "toolbar/ToolbarTables.h"

#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace mecovnik {

class TDragImage;

// One drag of an item over a toolbar, in screen points: where the item would
// land (core TToolbarDrag), its picture following the pointer (TDragImage), and
// the mouse grab while a placed item is dragged, the item being hidden. A drag
// is cancelled by Escape, by the program losing the focus, by another of its
// windows being activated or a menu popping up, and by a move without the left
// button (the release went elsewhere). What the drop means for the toolbar's
// items is the toolbar's: it hears of it through Dropped.
class TToolbarDragSession final : public QObject
{
    Q_OBJECT

public:
    // items tells the toolbar's placed items as they stand; both must outlive
    // the session.
    TToolbarDragSession(QWidget& toolbar, std::function<std::vector<TToolbarLayoutItem>()> items);
    ~TToolbarDragSession() override;
    Q_DISABLE_COPY_MOVE(TToolbarDragSession)

    // Starts a drag unless one runs. control is the placed item dragged (at
    // index among the items), or nullptr for a new item of id; picture follows
    // the pointer, held at hotSpot ((-1, -1): its centre).
    void Begin(QWidget* control, std::optional<std::size_t> index, int id, QPoint hotSpot,
               QPoint globalPos, const QPixmap& picture);
    // Moves the picture to the snapped pointer; nothing without a drag.
    void Move(QPoint globalPos);
    // Ends the drag and reports Dropped; nothing without a drag.
    void End(QPoint globalPos);
    // Stops a drag without dropping: a dragged item shows again where it was.
    void Cancel();

    [[nodiscard]] bool Dragging() const { return m_drag.Dragging(); }
    [[nodiscard]] const TDragImage* Image() const { return m_image.get(); }

signals:
    // A drag ended with the item's snapped top-left corner (toolbar
    // coordinates); onToolbar tells whether that corner lies on the toolbar or
    // one of its items. control is the placed item dragged, or nullptr for a
    // new item of id.
    void Dropped(QWidget* control, int id, QPoint corner, bool onToolbar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ends what a drag set up: its picture, the mouse grab and the watch on
    // the application's events.
    void Finish();
    [[nodiscard]] TPoint Local(QPoint globalPos) const;
    void ShowPictureAt(TPoint shown);

    QWidget& m_toolbar;
    std::function<std::vector<TToolbarLayoutItem>()> m_items;
    TToolbarDrag m_drag;
    QPointer<QWidget> m_control;
    std::unique_ptr<TDragImage> m_image;
    bool m_trackedBefore = false;
};

} // namespace mecovnik

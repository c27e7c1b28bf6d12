#pragma once

#include "toolbar/TLazyPixmap.h"
#include "toolbar/TToolbarCommandType.h"
#include "toolbar/TToolbarItemEvent.h"
#include "toolbar/TToolbarState.h"
#include "toolbar/ToolbarTables.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QMenu;

namespace mecovnik {

class TDragImage;
class TResourceSource;
class TToolbarDragSession;
class TToolbarSpeedButton;

// A toolbar of freely placed command buttons and separators, defined by the
// BUTTONS, INITIAL and ADJUST tables: it places its items and keeps their
// states. Items tell it what happened through their signals. A click on a
// button is reported through OnCommand. While arranging, a press on an item
// drags it (TToolbarDragSession), snapped to its neighbours and rows.
class TToolbar : public QWidget
{
    Q_OBJECT

public:
    // The toolbar reads its tables, glyphs and strings from resources, which
    // must outlive it.
    explicit TToolbar(const TResourceSource& resources, QWidget* parent = nullptr);
    ~TToolbar() override;
    Q_DISABLE_COPY_MOVE(TToolbar)

    // Table and numbering properties; set them before Loaded.
    bool Adjustable = true;
    QString ResButtons;
    QString ResInitial;
    QString ResAdjust;
    QString ResImagesName;
    int ResImagesStart = 0;
    int ResImagesCount = 0;
    int ResHintsStart = 0;
    int ResHintsCount = 0;
    int ResStringsStart = 0;

    // Buttons of the program's own beside the three tables: a table of
    // BUTTONS records whose image field numbers bitmaps (and whose name
    // strings) from MoreStart on, offered in the customisation as one more
    // group named by string MoreGroupName. Empty: none.
    QString ResMoreButtons;
    int MoreStart = 0;
    int MoreGroupName = 0;
    // Which of those buttons the owner runs; unset: every one.
    std::function<bool(int id)> OffersButton;
    // The hint ("short|long") of one of those buttons from its name; unset:
    // the name alone.
    std::function<QString(int id, const QString& name)> MoreHint;

    // Reads the resources (images, hints, BUTTONS, INITIAL, and ADJUST when
    // Adjustable), then places the initial layout. Call once, after the
    // properties are set.
    void Loaded();

    // Tooltips of the buttons.
    [[nodiscard]] bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    [[nodiscard]] QMenu* PopupMenu() const { return m_popupMenu; }
    [[nodiscard]] int HelpContext() const;

    // Places records after the current items; then applies the command states.
    void SetLayout(std::span<const TToolbarLayoutItem> records);
    void ApplyInitialLayout();
    // Destroys every placed control.
    void Clear();
    // Asks, and on Yes goes back to the initial layout.
    void Revert();
    // Arranging mode: every button enabled and up, presses drag.
    void SetAdjusting(bool adjusting);
    [[nodiscard]] bool Adjusting() const { return m_adjusting; }
    // Raises OnCommand.
    virtual void DoCommand(int id, TToolbarCommandType type);
    // Opens the customisation, or reports that the toolbar has no groups to
    // offer.
    void OnAdjust();
    // What opens the customisation window while the toolbar has groups;
    // TToolbarAdjustDialog unless set.
    void SetAdjustDialog(std::function<void(TToolbar&)> open) { m_openAdjust = std::move(open); }

    [[nodiscard]] std::unique_ptr<TToolbarState> GetState() const;
    void SetState(const TToolbarState& state);

    void SetCommandEnabled(int id, bool enabled);
    [[nodiscard]] bool CommandEnabled(int id) const;
    void SetCommandDown(int id, bool down);
    [[nodiscard]] bool CommandDown(int id) const;
    [[nodiscard]] int CountPlaced(int id) const;

    // The drag engine, in screen coordinates. control is the placed item
    // dragged, or nullptr for a new item of id; hotSpot (-1, -1) means the
    // picture's centre.
    void BeginDrag(QWidget* control, int id, QPoint hotSpot, QPoint globalPos);
    void MoveDrag(QPoint globalPos);
    void EndDrag(QPoint globalPos);
    // Stops a drag without dropping: a dragged item goes back where it was, a
    // new one is not added. Escape, another window taking the mouse, the
    // toolbar hiding or leaving arranging mode cancel a drag this way.
    void CancelDrag();
    [[nodiscard]] bool Dragging() const;
    [[nodiscard]] const TDragImage* DragImage() const;

    // The picture of an item: a 25 x 25 button face with its glyph as an up
    // button shows it, or a separator 25 (or, at full height, the toolbar's
    // height) high.
    [[nodiscard]] QPixmap ItemPicture(int id, bool fullHeight) const;

    // What the toolbar has read and placed.
    [[nodiscard]] const std::vector<TToolbarButtonDef>& Definitions() const { return m_defs; }
    [[nodiscard]] const std::optional<std::vector<TToolbarGroup>>& Groups() const
    {
        return m_groups;
    }
    [[nodiscard]] const std::vector<QPixmap>& Images() const { return m_images; }
    // The artwork at twice the size of each image, read on first use; none
    // where the image is null.
    [[nodiscard]] const std::vector<TLazyPixmap>& LargeImages() const { return m_largeImages; }
    [[nodiscard]] const std::vector<std::string>& Hints() const { return m_hints; }
    [[nodiscard]] std::vector<TToolbarLayoutItem> PlacedItems() const;
    [[nodiscard]] QList<QWidget*> PlacedControls() const;
    [[nodiscard]] QString HintText(int id) const;
    [[nodiscard]] const TToolbarButtonDef* Definition(int id) const;

signals:
    void OnCommand(QObject* sender, int commandId, mecovnik::TToolbarCommandType commandType);
    void OnDblClick();

protected:
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct TEntry
    {
        TToolbarLayoutItem Item;
        QPointer<QWidget> Control;
    };

    void ReadResources();
    void ReadMoreButtons();
    // A definition's glyph and its large artwork; null and none for none.
    [[nodiscard]] std::pair<QPixmap, TLazyPixmap> GlyphOf(const TToolbarButtonDef& def) const;
    [[nodiscard]] std::optional<QByteArray> Table(const QString& resourceSpec,
                                                  const char* name) const;
    QWidget* CreateControl(const TToolbarLayoutItem& item);
    TToolbarSpeedButton* CreateButton(const TToolbarButtonDef& def);
    // What an item (of command id, or a separator) tells.
    void ItemHappened(QWidget* item, int id, TToolbarItemEvent event, QPoint hotSpot,
                      QPoint globalPos);
    void ButtonClick(TToolbarSpeedButton* button);
    void ButtonDblClick(TToolbarSpeedButton* button);
    // A drag ended: the item goes where it was dropped, or off the toolbar.
    void Dropped(QWidget* control, int id, QPoint corner, bool onToolbar);
    void ApplyCommandStates();
    void GroupRule(TToolbarSpeedButton* button);
    [[nodiscard]] std::optional<std::size_t> IndexOf(const QWidget* control) const;
    [[nodiscard]] std::vector<TToolbarLayoutItem> Items() const;
    void UpdateHints();

    const TResourceSource& m_resources;
    std::vector<QPixmap> m_images;
    std::vector<TLazyPixmap> m_largeImages;
    // The program's own buttons: glyph, large artwork and name by id.
    struct TMoreButton
    {
        TLazyPixmap Glyph;
        TLazyPixmap Large;
        QString Name;
    };
    std::map<int, TMoreButton> m_more;
    std::vector<std::string> m_hints;
    std::vector<TToolbarButtonDef> m_defs;
    std::vector<TToolbarLayoutItem> m_initial;
    std::optional<std::vector<TToolbarGroup>> m_groups;
    std::vector<TEntry> m_entries;
    bool m_loaded = false;
    bool m_showHint = true;
    bool m_adjusting = false;
    QMenu* m_popupMenu = nullptr;
    std::function<void(TToolbar&)> m_openAdjust;
    std::unique_ptr<TToolbarDragSession> m_drag;
};

} // namespace mecovnik

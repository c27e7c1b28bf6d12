#include "toolbar/TToolbar.h"

#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "platform/TResourceSource.h"
#include "toolbar/TButtonGlyph.h"
#include "toolbar/TToolbarAdjustDialog.h"
#include "toolbar/TToolbarDragSession.h"
#include "toolbar/TToolbarSeparator.h"
#include "toolbar/TToolbarSpeedButton.h"
#include "toolbar/ToolbarGeometry.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <limits>

namespace mecovnik {

namespace {

// Every latching button gets an index of its own, so the buttons' own group
// messages never link two toolbar buttons; the toolbar keeps them exclusive.
int NextGroupIndex()
{
    static int next = 0;
    next = next == std::numeric_limits<int>::max() ? 1 : next + 1;
    return next;
}

// A hint as given to a button, with the toolbar's "|" appended: the tooltip is
// the part before the first "|", the status-bar text the part after it less
// the "|" the toolbar added.
QString ShortHint(const QString& hint)
{
    return hint.section(u'|', 0, 0);
}

QString LongHint(const QString& hint)
{
    const QString full = hint + u'|';
    QString rest = full.mid(full.indexOf(u'|') + 1);
    if (rest.endsWith(u'|'))
        rest.chop(1);
    return rest;
}

} // namespace

TToolbar::TToolbar(const TResourceSource& resources, QWidget* parent)
    : QWidget(parent), m_resources(resources),
      m_drag(std::make_unique<TToolbarDragSession>(*this, [this] { return Items(); }))
{
    resize(183, 33);
    connect(m_drag.get(), &TToolbarDragSession::Dropped, this, &TToolbar::Dropped);
}

TToolbar::~TToolbar()
{
    // The customisation window is the toolbar's; it goes while the toolbar is
    // still whole, since closing it leaves arranging mode.
    if (TToolbarAdjustDialog* dialog = TToolbarAdjustDialog::OpenDialog();
        dialog && dialog->Toolbar() == this)
        delete dialog;
    CancelDrag();
}

int TToolbar::HelpContext() const
{
    return property("helpContext").toInt();
}

std::optional<QByteArray> TToolbar::Table(const QString& resourceSpec, const char* name) const
{
    const TResourceName resource =
        SplitResourceSpec(ToStdString(resourceSpec), name,
                          [](std::string_view s) { return ToStdString(ToQString(s).toUpper()); });
    return m_resources.Bytes(ToQString(resource.Type), ToQString(resource.Name));
}

void TToolbar::ReadResources()
{
    const auto span = [](const QByteArray& bytes) {
        return std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()));
    };
    const auto loadString = [this](std::int32_t n) { return ToStdString(m_resources.String(n)); };

    if (m_images.empty()) {
        const std::function<std::optional<QPixmap>(std::int32_t)> loadImage =
            [this](std::int32_t n) -> std::optional<QPixmap> {
            QPixmap bitmap =
                m_resources.Bitmap(ToQString(ImageResourceName(ToStdString(ResImagesName), n)));
            if (bitmap.isNull())
                return std::nullopt;
            return bitmap;
        };
        for (auto& image : LoadNumberedList(ResImagesStart, ResImagesCount, loadImage))
            m_images.push_back(image.value_or(QPixmap()));
        // The artwork at twice the size is read when a screen first wants it.
        const TResourceSource* resources = &m_resources;
        for (std::size_t k = 0; k < m_images.size(); ++k) {
            if (m_images[k].isNull()) {
                m_largeImages.emplace_back();
                continue;
            }
            const QString name = ToQString(
                ImageResourceName(ToStdString(ResImagesName),
                                  static_cast<std::int32_t>(ResImagesStart + static_cast<int>(k))));
            m_largeImages.emplace_back([resources, name] { return resources->LargeBitmap(name); });
        }
    }
    if (m_hints.empty())
        m_hints = LoadHintList(ResHintsStart, ResHintsCount, loadString);

    m_defs = ReadButtonsTable(span(Table(ResButtons, "BUTTONS").value_or(QByteArray())));
    m_initial = ReadLayoutRecords(span(Table(ResInitial, "INITIAL").value_or(QByteArray())));
    if (Adjustable) {
        const std::optional<QByteArray> adjust = Table(ResAdjust, "ADJUST");
        m_groups = ReadAdjustTable(adjust ? std::optional(span(*adjust)) : std::nullopt,
                                   ResStringsStart, loadString);
    }
    ReadMoreButtons();
}

void TToolbar::ReadMoreButtons()
{
    if (ResMoreButtons.isEmpty())
        return;
    const std::optional<QByteArray> table = Table(ResMoreButtons, "MORE");
    if (!table)
        return;
    const auto defs =
        ReadButtonsTable(std::span(reinterpret_cast<const std::uint8_t*>(table->constData()),
                                   static_cast<std::size_t>(table->size())));
    TToolbarGroup group{ToStdString(m_resources.String(MoreGroupName)), {}};
    for (const TToolbarButtonDef& def : defs) {
        // An id of the three tables, or one seen already, stays theirs.
        if (def.Id < 0 || FindDefinition(m_defs, def.Id) || (OffersButton && !OffersButton(def.Id)))
            continue;
        const QString bitmap =
            ToQString(ImageResourceName(ToStdString(ResImagesName), MoreStart + def.Image - 1));
        // Their glyphs are read when a button or the customisation shows one.
        const TResourceSource* resources = &m_resources;
        m_more[def.Id] = {
            TLazyPixmap([resources, bitmap] { return resources->Bitmap(bitmap); }),
            TLazyPixmap([resources, bitmap] { return resources->LargeBitmap(bitmap); }),
            m_resources.String(MoreStart + def.Image - 1)};
        m_defs.push_back(def);
        group.Items.push_back(def.Id);
    }
    if (m_groups && !group.Items.empty())
        m_groups->push_back(std::move(group));
}

std::pair<QPixmap, TLazyPixmap> TToolbar::GlyphOf(const TToolbarButtonDef& def) const
{
    if (const auto more = m_more.find(def.Id); more != m_more.end())
        return {more->second.Glyph.Get(), more->second.Large};
    if (const auto index = ImageIndexFor(def, m_images.size()))
        return {m_images[*index],
                *index < m_largeImages.size() ? m_largeImages[*index] : TLazyPixmap()};
    return {};
}

void TToolbar::Loaded()
{
    if (std::exchange(m_loaded, true))
        return;
    ReadResources();
    ApplyInitialLayout();
}

void TToolbar::SetShowHint(bool show)
{
    m_showHint = show;
    UpdateHints();
}

void TToolbar::UpdateHints()
{
    for (const TEntry& e : m_entries) {
        if (auto* button = qobject_cast<TToolbarSpeedButton*>(e.Control.data()))
            button->setToolTip(m_showHint ? ShortHint(HintText(button->CommandId())) : QString());
    }
}

QString TToolbar::HintText(int id) const
{
    if (const auto more = m_more.find(id); more != m_more.end())
        return MoreHint ? MoreHint(id, more->second.Name) : more->second.Name;
    return ToQString(HintFor(id, m_hints));
}

const TToolbarButtonDef* TToolbar::Definition(int id) const
{
    return id >= 0 ? FindDefinition(m_defs, id) : nullptr;
}

void TToolbar::SetLayout(std::span<const TToolbarLayoutItem> records)
{
    if (records.empty())
        return;
    const auto placed = PlaceLayout(records, height(),
                                    [this](std::int32_t id) { return Definition(id) != nullptr; });
    for (const TToolbarLayoutItem& item : placed) {
        if (QWidget* control = CreateControl(item))
            m_entries.push_back({item, control});
    }
    ApplyCommandStates();
}

QWidget* TToolbar::CreateControl(const TToolbarLayoutItem& item)
{
    QWidget* control = nullptr;
    if (item.Id == tbSeparator) {
        auto* separator = new TToolbarSeparator(this);
        connect(separator, &TToolbarSeparator::Happened, this,
                [this, separator](TToolbarItemEvent event, QPoint hotSpot, QPoint globalPos) {
                    ItemHappened(separator, tbSeparator, event, hotSpot, globalPos);
                });
        separator->SetArranging(m_adjusting);
        control = separator;
    } else if (const TToolbarButtonDef* def = Definition(item.Id)) {
        control = CreateButton(*def);
    }
    if (!control)
        return nullptr;
    control->setGeometry(item.Left, item.Top, item.Width, item.Height);
    control->show();
    return control;
}

TToolbarSpeedButton* TToolbar::CreateButton(const TToolbarButtonDef& def)
{
    auto* button = new TToolbarSpeedButton(this, def.Id, def.Group, def.AllowAllUp != 0);
    connect(button, &TToolbarSpeedButton::Happened, this,
            [this, button](TToolbarItemEvent event, QPoint hotSpot, QPoint globalPos) {
                ItemHappened(button, button->CommandId(), event, hotSpot, globalPos);
            });
    button->SetAllowAllUp(def.AllowAllUp != 0);
    const auto [glyph, large] = GlyphOf(def);
    if (!glyph.isNull()) {
        button->SetGlyph(glyph);
        button->SetLargeGlyph(large);
    }
    if (def.Group != 0) {
        button->SetGroupIndex(NextGroupIndex());
        button->SetAllowAllUp(true);
    }
    button->setProperty("helpContext", def.HelpContext);
    const QString hint = HintText(def.Id);
    button->setToolTip(m_showHint ? ShortHint(hint) : QString());
    button->SetLongHint(LongHint(hint));
    return button;
}

void TToolbar::ApplyInitialLayout()
{
    SetLayout(m_initial);
}

void TToolbar::Clear()
{
    // A drag of an item about to go would drop it as a new one.
    CancelDrag();
    std::vector<TEntry> entries;
    entries.swap(m_entries);
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (TEntry& e : entries)
        delete e.Control.data();
    setUpdatesEnabled(updates);
}

void TToolbar::Revert()
{
    if (!AskQuestion(QStringLiteral("Opravdu si přejete vrátit panel nástrojů do původní podoby?")))
        return;
    Clear();
    ApplyInitialLayout();
}

void TToolbar::SetAdjusting(bool adjusting)
{
    if (!adjusting)
        CancelDrag();
    m_adjusting = adjusting;
    ApplyCommandStates();
}

void TToolbar::DoCommand(int id, TToolbarCommandType type)
{
    emit OnCommand(this, id, type);
}

void TToolbar::OnAdjust()
{
    if (!m_groups) {
        ShowErrorMessage(QStringLiteral("Není možné nahrát informace o panelu nástrojů. "
                                        "Nastavení není možné provést."));
        return;
    }
    if (m_openAdjust)
        m_openAdjust(*this);
    else
        TToolbarAdjustDialog::Open(*this);
}

std::unique_ptr<TToolbarState> TToolbar::GetState() const
{
    auto state = std::make_unique<TToolbarState>();
    state->Visible = isHidden() ? 0 : 1;
    state->ShowHints = m_showHint ? 1 : 0;
    state->Records = Items();
    return state;
}

void TToolbar::SetState(const TToolbarState& state)
{
    setVisible(state.Visible != 0);
    SetShowHint(state.ShowHints != 0);
    if (!state.Records.empty()) {
        Clear();
        SetLayout(state.Records);
    }
}

std::vector<TToolbarLayoutItem> TToolbar::Items() const
{
    std::vector<TToolbarLayoutItem> items;
    items.reserve(m_entries.size());
    for (const TEntry& e : m_entries)
        items.push_back(e.Item);
    return items;
}

std::vector<TToolbarLayoutItem> TToolbar::PlacedItems() const
{
    return Items();
}

QList<QWidget*> TToolbar::PlacedControls() const
{
    QList<QWidget*> controls;
    for (const TEntry& e : m_entries)
        controls.append(e.Control.data());
    return controls;
}

void TToolbar::ApplyCommandStates()
{
    for (const TEntry& e : m_entries) {
        if (auto* separator = qobject_cast<TToolbarSeparator*>(e.Control.data()))
            separator->SetArranging(m_adjusting);
        auto* button = qobject_cast<TToolbarSpeedButton*>(e.Control.data());
        if (button)
            button->SetArranging(m_adjusting);
        const TToolbarButtonDef* def = button ? Definition(button->CommandId()) : nullptr;
        if (!def)
            continue;
        button->setEnabled(m_adjusting || def->Enabled);
        button->SetDown(!m_adjusting && def->Down);
    }
}

void TToolbar::SetCommandEnabled(int id, bool enabled)
{
    TToolbarButtonDef* def = id >= 0 ? FindDefinition(m_defs, id) : nullptr;
    if (!def)
        return;
    def->Enabled = enabled;
    if (m_adjusting)
        return;
    for (const TEntry& e : m_entries) {
        if (e.Item.Id == id && e.Control)
            e.Control->setEnabled(enabled);
    }
}

bool TToolbar::CommandEnabled(int id) const
{
    const TToolbarButtonDef* def = Definition(id);
    return def ? def->Enabled : true;
}

void TToolbar::SetCommandDown(int id, bool down)
{
    TToolbarButtonDef* def = id >= 0 ? FindDefinition(m_defs, id) : nullptr;
    if (!def)
        return;
    def->Down = down;
    for (const TEntry& e : m_entries) {
        if (e.Item.Id != id)
            continue;
        if (auto* button = qobject_cast<TToolbarSpeedButton*>(e.Control.data())) {
            button->SetDown(down);
            GroupRule(button);
        }
        break;
    }
}

bool TToolbar::CommandDown(int id) const
{
    const TToolbarButtonDef* def = Definition(id);
    return def ? def->Down : false;
}

int TToolbar::CountPlaced(int id) const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [id](const TEntry& e) { return e.Item.Id == id; }));
}

void TToolbar::GroupRule(TToolbarSpeedButton* button)
{
    if (TToolbarButtonDef* own = FindDefinition(m_defs, button->CommandId()))
        own->Down = button->Down();
    for (const TEntry& e : m_entries) {
        auto* other = qobject_cast<TToolbarSpeedButton*>(e.Control.data());
        if (!other || other == button || other->CommandId() < 0 ||
            other->Group() != button->Group())
            continue;
        const bool down = other->CommandId() == button->CommandId() && button->Down();
        if (TToolbarButtonDef* def = FindDefinition(m_defs, other->CommandId()))
            def->Down = down;
        other->SetDown(down);
    }
}

void TToolbar::ItemHappened(QWidget* item, int id, TToolbarItemEvent event, QPoint hotSpot,
                            QPoint globalPos)
{
    switch (event) {
    case TToolbarItemEvent::Click:
        if (auto* button = qobject_cast<TToolbarSpeedButton*>(item))
            ButtonClick(button);
        break;
    case TToolbarItemEvent::DblClick:
        if (auto* button = qobject_cast<TToolbarSpeedButton*>(item))
            ButtonDblClick(button);
        break;
    case TToolbarItemEvent::DragStart:
        BeginDrag(item, id, hotSpot, globalPos);
        break;
    case TToolbarItemEvent::DragMove:
        MoveDrag(globalPos);
        break;
    case TToolbarItemEvent::DragRelease:
        EndDrag(globalPos);
        break;
    }
}

void TToolbar::ButtonClick(TToolbarSpeedButton* button)
{
    const int id = button->CommandId();
    if (button->Group() != 0)
        GroupRule(button);
    DoCommand(id, ctClick);
}

void TToolbar::ButtonDblClick(TToolbarSpeedButton* button)
{
    DoCommand(button->CommandId(), ctDblClick);
}

void TToolbar::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    // Only the free area counts: a double click on an item (a separator
    // passes its clicks on to the toolbar) opens nothing, as on a button.
    if (childAt(event->position().toPoint()))
        return;
    if (Adjustable)
        OnAdjust();
    else
        emit OnDblClick();
}

void TToolbar::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        event->ignore();
        return;
    }
    m_popupMenu->popup(event->globalPos());
}

std::optional<std::size_t> TToolbar::IndexOf(const QWidget* control) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (control && m_entries[i].Control == control)
            return i;
    }
    return std::nullopt;
}

QPixmap TToolbar::ItemPicture(int id, bool fullHeight) const
{
    const QPalette& pal = palette();
    if (id == tbSeparator) {
        QPixmap picture(kSeparatorWidth, std::max(fullHeight ? height() : kButtonSize, 1));
        QPainter p(&picture);
        p.fillRect(0, 0, 1, picture.height(), pal.color(QPalette::Dark));
        p.fillRect(1, 0, 1, picture.height(), pal.color(QPalette::Light));
        return picture;
    }
    // Drawn in the screen's own pixels, as the buttons are.
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(QSize(kButtonSize, kButtonSize) * ratio);
    picture.setDevicePixelRatio(ratio);
    QPainter p(&picture);
    const QBrush face = pal.brush(QPalette::Button);
    qDrawWinButton(&p, QRect(0, 0, kButtonSize, kButtonSize), pal, false, &face);
    const TToolbarButtonDef* def = Definition(id);
    const auto [bitmap, large] = def ? GlyphOf(*def) : std::pair<QPixmap, TLazyPixmap>{};
    if (!bitmap.isNull()) {
        // The glyph as an up button shows it, from the same cache.
        TButtonGlyph glyph;
        glyph.SetBitmap(bitmap);
        glyph.SetLargeBitmap(large);
        const QPixmap image = glyph.Image(TButtonPaintState::psUp, pal, ratio);
        if (ratio != image.devicePixelRatio())
            p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize size = image.deviceIndependentSize().toSize();
        p.drawPixmap((kButtonSize - size.width()) / 2, (kButtonSize - size.height()) / 2, image);
    }
    return picture;
}

void TToolbar::BeginDrag(QWidget* control, int id, QPoint hotSpot, QPoint globalPos)
{
    if (m_drag->Dragging())
        return;
    m_drag->Begin(control, IndexOf(control), id, hotSpot, globalPos, ItemPicture(id, true));
}

void TToolbar::MoveDrag(QPoint globalPos)
{
    m_drag->Move(globalPos);
}

void TToolbar::EndDrag(QPoint globalPos)
{
    m_drag->End(globalPos);
}

void TToolbar::CancelDrag()
{
    m_drag->Cancel();
}

bool TToolbar::Dragging() const
{
    return m_drag->Dragging();
}

const TDragImage* TToolbar::DragImage() const
{
    return m_drag->Image();
}

void TToolbar::Dropped(QWidget* control, int id, QPoint corner, bool onToolbar)
{
    const auto index = IndexOf(control);
    if (!onToolbar) {
        // Dragged off the toolbar: a placed item goes, a new one never comes.
        if (index) {
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*index));
            delete control;
        }
        repaint();
        return;
    }
    const TToolbarLayoutItem at = DroppedGeometry(id, {corner.x(), corner.y()}, height());
    if (index) {
        control->setGeometry(at.Left, at.Top, at.Width, at.Height);
        control->show();
        m_entries[*index].Item = at;
    } else {
        const TToolbarLayoutItem record{id, at.Left, at.Top, -1,
                                        id == tbSeparator ? -1 : at.Height};
        SetLayout(std::span(&record, 1));
    }
    repaint();
}

void TToolbar::hideEvent(QHideEvent* event)
{
    CancelDrag();
    QWidget::hideEvent(event);
}

} // namespace mecovnik

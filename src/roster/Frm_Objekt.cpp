#include "roster/Frm_Objekt.h"

#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "components/TAdvancedListBox.h"
#include "roster/ColumnLayout.h"
#include "roster/RosterZoom.h"
#include "roster/TObjekt.h"
#include "roster/TRosterModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace mecovnik {

namespace {

QColor FromTColor(TColor c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

TObjektWindow::TObjektWindow(const TNameOrder& order, QWidget* parent)
    : QMdiSubWindow(parent), m_rows(new TRosterModel(order, this)),
      m_sections(new QStandardItemModel(0, 0, this))
{
    setWindowTitle(QStringLiteral("Postavy"));
    setWindowFlags(Qt::SubWindow | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    m_normalFont = f;

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_header = new QHeaderView(Qt::Horizontal, client);
    m_header->setObjectName(QStringLiteral("HeaderControl"));
    m_header->setModel(m_sections);
    m_header->setFixedHeight(17);
    m_header->setSectionsClickable(false);
    m_header->setHighlightSections(false);
    m_header->setStretchLastSection(false);
    m_header->setMinimumSectionSize(0);
    m_header->setDefaultSectionSize(50);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_header, &QHeaderView::sectionResized, this,
            [this](int logicalIndex, int, int) { HeaderControlSectionResize(logicalIndex); });

    m_listBox = new TAdvancedListBox(client);
    m_listBox->setObjectName(QStringLiteral("ListBox"));
    m_listBox->setModel(m_rows);
    m_listBox->SetItemHeight(13);
    m_listBox->OnDrawItem = [this](QPainter& painter, int row, const QStyleOptionViewItem& option) {
        ListBoxDrawItem(painter, row, option);
    };
    connect(m_listBox->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_quietSelection)
            emit SelectionChanged();
    });
    connect(m_listBox, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit RowActivated(index.row());
    });
    // The list's keys and context menu, and the header following the window.
    m_listBox->installEventFilter(this);
    m_listBox->viewport()->installEventFilter(this);
    m_header->installEventFilter(this);

    // Every way the model tells of a change is a change of the records.
    connect(m_rows, &TRosterModel::modelReset, this, &TObjektWindow::RecordsChanged);
    connect(m_rows, &TRosterModel::layoutChanged, this, &TObjektWindow::RecordsChanged);
    connect(m_rows, &TRosterModel::dataChanged, this, &TObjektWindow::RecordsChanged);
    connect(m_rows, &TRosterModel::rowsInserted, this, &TObjektWindow::RecordsChanged);
    connect(m_rows, &TRosterModel::rowsRemoved, this, &TObjektWindow::RecordsChanged);

    layout->addWidget(m_header);
    layout->addWidget(m_listBox);
    setWidget(client);
    m_listBox->setFocus();
    resize(435, 300);
}

TObjektWindow::~TObjektWindow() = default;

TObjekt* TObjektWindow::Active() const
{
    return m_rows->At(m_listBox->ItemIndex());
}

void TObjektWindow::RedrawRow(int row)
{
    if (row < 0 || row >= m_rows->rowCount())
        return;
    m_listBox->update(m_rows->index(row, 0));
    // Not the model's dataChanged: the list would repaint every visible row.
    emit RecordsChanged();
}

void TObjektWindow::SetLives(int row, std::int32_t lives)
{
    TObjekt* record = m_rows->At(row);
    if (!record)
        return;
    record->SetLives(lives);
    RedrawRow(row);
}

void TObjektWindow::SetLivesAll(std::int32_t lives)
{
    for (int row = 0; row < m_rows->rowCount(); ++row)
        SetLives(row, lives);
}

void TObjektWindow::AddLives(int row, std::int32_t delta)
{
    TObjekt* record = m_rows->At(row);
    if (!record || delta == 0)
        return;
    record->AddLives(delta);
    RedrawRow(row);
}

void TObjektWindow::AddLivesAll(std::int32_t delta)
{
    for (int row = 0; row < m_rows->rowCount(); ++row)
        AddLives(row, delta);
}

void TObjektWindow::ResetColumnWidths()
{
    ApplySectionWidths(mecovnik::ResetColumnWidths(m_header->width(), m_header->count()));
}

int TObjektWindow::AddRecord(std::unique_ptr<TObjekt> record)
{
    return m_rows->Add(std::move(record));
}

int TObjektWindow::ReplaceRecord(int row, std::unique_ptr<TObjekt> record)
{
    m_quietSelection = true;
    m_rows->Delete(row);
    const int at = m_rows->Add(std::move(record));
    m_listBox->SetItemIndex(at);
    m_quietSelection = false;
    m_listBox->scrollTo(m_rows->index(at, 0));
    emit RowsChanged();
    emit SelectionChanged();
    return at;
}

void TObjektWindow::SetZoom(int percent)
{
    percent = std::clamp(percent, kZoomNormal, kZoomLargest);
    const int old = std::exchange(m_zoom, percent);
    QFont f = m_normalFont;
    f.setPointSizeF(m_normalFont.pointSizeF() * percent / 100.0);
    m_listBox->setFont(f);
    m_header->setFont(f);
    m_header->setFixedHeight(Zoomed(17, percent));
    m_listBox->SetItemHeight(Zoomed(13, percent));
    if (old != percent)
        ApplySectionWidths(ZoomColumnWidths(m_header->width(), m_normalWidths, percent), true);
}

const TRowColourTable& TObjektWindow::RowColourTable() const
{
    const QPalette& p = m_listBox->palette();
    const auto colour = [&p](QPalette::ColorRole role) {
        const QColor c = p.color(QPalette::Active, role);
        return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
               (static_cast<TColor>(c.blue()) << 16);
    };
    const TListColours from{colour(QPalette::Base), colour(QPalette::Text),
                            colour(QPalette::Highlight), colour(QPalette::HighlightedText)};
    if (!m_coloursMade || from.Base != m_coloursFrom.Base || from.Text != m_coloursFrom.Text ||
        from.Highlight != m_coloursFrom.Highlight ||
        from.HighlightedText != m_coloursFrom.HighlightedText) {
        m_colours = MakeRowColourTable(from);
        m_coloursFrom = from;
        m_coloursMade = true;
    }
    return m_colours;
}

void TObjektWindow::DeleteActive(const QString& question)
{
    const int row = m_listBox->ItemIndex();
    const TObjekt* active = m_rows->At(row);
    if (!active) {
        QApplication::beep();
        return;
    }
    if (!AskQuestion(question.arg(ToQString(active->Name))))
        return;
    // The view would move the selection to a neighbour; a deleted selection
    // leaves none, as the game master expects.
    m_quietSelection = true;
    m_rows->Delete(row);
    m_listBox->SetItemIndex(-1);
    m_quietSelection = false;
    emit RowsChanged();
}

void TObjektWindow::DeleteRecordsIf(const std::function<bool(const TObjekt&)>& pred)
{
    const TObjekt* active = Active();
    const bool keep = active && !pred(*active);
    m_rows->DeleteIf(pred);
    if (keep) {
        m_quietSelection = true;
        m_listBox->SetItemIndex(m_rows->RowOf(active));
        m_quietSelection = false;
    }
}

void TObjektWindow::SetSections(const QStringList& texts)
{
    m_sections->setColumnCount(static_cast<int>(texts.size()));
    m_sections->setHorizontalHeaderLabels(texts);
    for (int i = 0; i < m_header->count(); ++i)
        m_header->resizeSection(i, 50);
    m_normalWidths = NormalColumnWidths(SectionWidths(), m_zoom);
}

void TObjektWindow::ListBoxDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option)
{
    const int n = m_header->count();
    TObjekt* record = m_rows->At(row);
    if (n == 0 || !record)
        return;

    // Whatever the state, the text stays readable, and a selected row still
    // shows its state (RowColours).
    const bool selected = option.state & QStyle::State_Selected;
    const TRowColours& colours =
        RowColourTable()[static_cast<std::size_t>(RowStateOf(*record))][selected ? 1 : 0];
    painter.fillRect(option.rect, FromTColor(colours.Background));
    painter.setPen(FromTColor(colours.Text));
    painter.setFont(m_listBox->font());
    const QFontMetrics metrics(m_listBox->font());

    int left = option.rect.left();
    for (int c = 0; c < n; ++c) {
        const int width = m_header->sectionSize(c);
        const std::string text = ShownColumnText(*record, c);
        const QRect textRect(left + 3, option.rect.top(), width - 13, option.rect.height());
        // A name reads as typed: an "&" is drawn, never taken as an access key.
        if (textRect.width() > 0) {
            const QString elided =
                metrics.elidedText(ToQString(text), Qt::ElideRight, textRect.width());
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, elided);
        }
        left += width;
    }
}

void TObjektWindow::closeEvent(QCloseEvent* event)
{
    // A roster lives for the whole run: closing it only minimises it.
    event->ignore();
    showMinimized();
}

bool TObjektWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The window's own parts pass here too, some before the list exists.
    if (watched == m_header && m_header && event->type() == QEvent::Resize) {
        // The last column takes what the others leave of the new width.
        // The widths the user or the layout gave stand (a window's size is no
        // choice of a column's width) while they fit; the last takes the rest.
        if (!m_layingOut && m_header->count() > 0)
            ApplySectionWidths(ZoomColumnWidths(m_header->width(), m_normalWidths, m_zoom), true);
        return false;
    }
    if (watched == m_listBox && m_listBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && !(key->modifiers() & ~Qt::KeypadModifier)) {
            emit DeleteRequested();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::ContextMenu && m_listBox &&
        (watched == m_listBox || watched == m_listBox->viewport())) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        QPoint at = menu->pos();
        if (watched == m_listBox)
            at = m_listBox->viewport()->mapFrom(m_listBox, at);
        if (menu->reason() == QContextMenuEvent::Mouse) {
            // A right click chooses the row it is on, as a left click would.
            const QModelIndex index = m_listBox->indexAt(at);
            if (index.isValid() && index.row() != m_listBox->ItemIndex())
                m_listBox->SetItemIndex(index.row());
        } else {
            const QModelIndex current = m_rows->index(m_listBox->ItemIndex(), 0);
            const QRect row = m_listBox->visualRect(current);
            at = row.isValid() ? row.bottomLeft() : QPoint(0, 0);
        }
        emit ContextMenuRequested(m_listBox->viewport()->mapToGlobal(at));
        return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

std::vector<int> TObjektWindow::SectionWidths() const
{
    std::vector<int> widths;
    for (int i = 0; i < m_header->count(); ++i)
        widths.push_back(m_header->sectionSize(i));
    return widths;
}

void TObjektWindow::HeaderControlSectionResize(int logicalIndex)
{
    Q_UNUSED(logicalIndex)
    const int n = m_header->count();
    if (m_layingOut || n == 0)
        return;
    std::vector<int> widths = SectionWidths();
    widths.back() = LastSectionFillWidth(m_header->width(), widths);
    ApplySectionWidths(widths);
}

void TObjektWindow::ApplySectionWidths(const std::vector<int>& widths, bool following)
{
    m_layingOut = true;
    for (std::size_t i = 0; i < widths.size(); ++i)
        m_header->resizeSection(static_cast<int>(i), std::max(widths[i], 0));
    m_layingOut = false;
    if (!following)
        m_normalWidths = NormalColumnWidths(SectionWidths(), m_zoom);
    m_listBox->viewport()->update();
}

} // namespace mecovnik

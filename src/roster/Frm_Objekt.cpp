#include "roster/Frm_Objekt.h"

#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "components/TAdvancedListBox.h"
#include "roster/ColumnLayout.h"
#include "roster/TObjekt.h"
#include "roster/TRosterModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace mecovnik {

namespace {

TColor ToTColor(const QColor& c)
{
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
           (static_cast<TColor>(c.blue()) << 16);
}

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
}

void TObjektWindow::ListBoxDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option)
{
    const int n = m_header->count();
    TObjekt* record = m_rows->At(row);
    if (n == 0 || !record)
        return;

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter.fillRect(option.rect, palette.brush(selected ? QPalette::Highlight : QPalette::Base));

    TColor color = ToTColor(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    record->ApplyStateColor(color);
    painter.setPen(FromTColor(color));
    painter.setFont(m_listBox->font());
    const QFontMetrics metrics(m_listBox->font());

    int left = option.rect.left();
    for (int c = 0; c < n; ++c) {
        const int width = m_header->sectionSize(c);
        const std::string text = record->GetColumnText(c);
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

void TObjektWindow::HeaderControlSectionResize(int logicalIndex)
{
    Q_UNUSED(logicalIndex)
    const int n = m_header->count();
    if (m_layingOut || n == 0)
        return;
    std::vector<int> widths;
    for (int i = 0; i < n; ++i)
        widths.push_back(m_header->sectionSize(i));
    widths.back() = LastSectionFillWidth(m_header->width(), widths);
    ApplySectionWidths(widths);
}

void TObjektWindow::ApplySectionWidths(const std::vector<int>& widths)
{
    m_layingOut = true;
    for (std::size_t i = 0; i < widths.size(); ++i)
        m_header->resizeSection(static_cast<int>(i), std::max(widths[i], 0));
    m_layingOut = false;
    m_listBox->viewport()->update();
}

} // namespace mecovnik

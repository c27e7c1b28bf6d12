#include "history/TLedgerWindow.h"

#include "history/TFightLedger.h"
#include "history/TLedgerModel.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mecovnik {

namespace {

// The summary rows measured for the widths: one a character, so this many
// covers any real fight while keeping the cost bounded.
constexpr int kSummaryMeasured = 500;

// How many characters a number takes as a cell shows it, counted without
// making its text.
int TextLength(std::int64_t n, bool change)
{
    int length = n < 0 || (change && n > 0) ? 1 : 0;
    auto magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    do {
        ++length;
        magnitude /= 10;
    } while (magnitude != 0);
    return length;
}

// What a column's heading needs.
int HeadingWidth(const QTableView& view, int column)
{
    return view.horizontalHeader()->sectionSizeHint(column);
}

// What the cell needs, as the view itself measures it, and the grid line the
// view draws in the cell's own width.
int CellWidth(const QTableView& view, int row, int column)
{
    return view.sizeHintForIndex(view.model()->index(row, column)).width() +
           (view.showGrid() ? 1 : 0);
}

// One line of text a row, whatever the rows hold: the view then never measures
// a row, which keeps 10,000 of them quick.
void MakeUniform(QTableView& view)
{
    const int height = view.fontMetrics().height() + 4;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(height);
    view.verticalHeader()->setMinimumSectionSize(height);
    view.verticalHeader()->hide();
    view.setWordWrap(false);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setStretchLastSection(false);
    view.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

TLedgerWindow::TLedgerWindow(const TExperienceLedger& ledger, QWidget* parent)
    : QMdiSubWindow(parent), m_ledger(ledger), m_rowModel(new TLedgerModel(ledger, this)),
      m_summaryModel(new TLedgerSummaryModel(ledger, this))
{
    setObjectName(QStringLiteral("DenikZkusenosti"));
    setWindowTitle(QStringLiteral("Deník zkušeností"));
    setWindowFlags(Qt::SubWindow | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_rows = new QTableView(splitter);
    m_rows->setObjectName(QStringLiteral("Radky"));
    m_rows->setAccessibleName(QStringLiteral("Řádky deníku"));
    m_rows->setModel(m_rowModel);
    MakeUniform(*m_rows);

    m_summary = new QTableView(splitter);
    m_summary->setObjectName(QStringLiteral("Souhrn"));
    m_summary->setAccessibleName(QStringLiteral("Souhrn po postavách"));
    m_summary->setModel(m_summaryModel);
    MakeUniform(*m_summary);
    for (QTableView* view : {m_rows, m_summary}) {
        view->viewport()->installEventFilter(this);
        // A column the user drags leaves the rest to the stretched one.
        connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
            if (!m_fitting)
                Stretch();
        });
    }
    MeasureFrom(0);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    setWidget(splitter);
    resize(560, 300);
    m_rows->scrollToBottom();

    // Stays at the newest row while the user keeps it in sight.
    connect(m_rowModel, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = m_rows->verticalScrollBar();
        m_follow = bar->value() >= bar->maximum();
    });
    connect(m_rowModel, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_follow)
            m_rows->scrollToBottom();
    });
    connect(m_rowModel, &QAbstractItemModel::modelReset, this,
            [this] { m_rows->scrollToBottom(); });
}

TLedgerWindow::~TLedgerWindow()
{
    // The tables go after this part of the window: nothing of theirs may
    // reach it any more.
    for (QTableView* view : {m_rows, m_summary}) {
        view->viewport()->removeEventFilter(this);
        disconnect(view->horizontalHeader(), nullptr, this, nullptr);
    }
}

void TLedgerWindow::Follow(const TLedgerMove& move)
{
    m_rowModel->Follow(move);
    m_summaryModel->Refresh();
    // Rows put on are measured alone; rows gone may have held the widest.
    MeasureFrom(move.Cleared || move.Taken > 0 || m_measured > m_ledger.Count() ? 0 : m_measured);
}

void TLedgerWindow::MeasureFrom(std::size_t row)
{
    if (row == 0)
        m_widest.fill(0);
    const std::size_t count = m_ledger.Count();
    for (std::size_t c = 0; c < m_widest.size(); ++c) {
        const int column = TLedgerModel::kEarnedChange + static_cast<int>(c);
        const bool change = column < TLedgerModel::kEarned;
        std::size_t& widest = m_widest[c];
        int length = widest < count
                         ? TextLength(TLedgerModel::Number(m_ledger.At(widest), column), change)
                         : 0;
        for (std::size_t r = row; r < count; ++r) {
            const int l = TextLength(TLedgerModel::Number(m_ledger.At(r), column), change);
            if (l > length) {
                length = l;
                widest = r;
            }
        }
    }
    m_measured = count;
    FitColumns();
}

void TLedgerWindow::FitColumns()
{
    m_fitting = true;
    const QFontMetrics metrics = m_rows->fontMetrics();
    const int rows = m_rowModel->rowCount();
    m_rows->setColumnWidth(
        TLedgerModel::kTime,
        std::max(HeadingWidth(*m_rows, TLedgerModel::kTime),
                 rows > 0 ? CellWidth(*m_rows, rows - 1, TLedgerModel::kTime) : 0));
    for (std::size_t c = 0; c < m_widest.size(); ++c) {
        const int column = TLedgerModel::kEarnedChange + static_cast<int>(c);
        const auto widest = static_cast<int>(m_widest[c]);
        m_rows->setColumnWidth(column,
                               std::max(HeadingWidth(*m_rows, column),
                                        widest < rows ? CellWidth(*m_rows, widest, column) : 0));
    }
    // Names from the summary, one a character; a very long one is cut (its
    // tooltip shows it whole) rather than crowding the other columns out.
    const int people = std::min(m_summaryModel->rowCount(), kSummaryMeasured);
    std::array<int, 4> summary{};
    for (int c = 0; c < 4; ++c)
        summary[static_cast<std::size_t>(c)] = HeadingWidth(*m_summary, c);
    for (int r = 0; r < people; ++r)
        for (int c = 0; c < 4; ++c)
            summary[static_cast<std::size_t>(c)] =
                std::max(summary[static_cast<std::size_t>(c)], CellWidth(*m_summary, r, c));
    const int names = std::min(summary[0], metrics.averageCharWidth() * 24);
    m_rows->setColumnWidth(TLedgerModel::kCharacter,
                           std::max(names, HeadingWidth(*m_rows, TLedgerModel::kCharacter)));
    m_summary->setColumnWidth(0, names);
    for (int c = 1; c < 4; ++c)
        m_summary->setColumnWidth(c, summary[static_cast<std::size_t>(c)]);
    m_fitting = false;
    Stretch();
}

void TLedgerWindow::Stretch()
{
    const auto rest = [](const QTableView& view, int stretched) {
        int width = view.viewport()->width();
        for (int c = 0; c < view.model()->columnCount(); ++c)
            if (c != stretched)
                width -= view.columnWidth(c);
        return width;
    };
    m_fitting = true;
    // "Událost" keeps room for a wound's words even in a narrow window; the
    // rows scroll sideways below that. The margins and the grid line are
    // the ones a cell has.
    const int margins =
        2 * (m_rows->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_rows) + 1);
    const int event =
        static_cast<int>(std::ceil(
            QFontMetricsF(m_rows->font())
                .horizontalAdvance(QStringLiteral("Zranění: Skřet [12], 15 životů z 17")))) +
        margins + 1;
    m_rows->setColumnWidth(TLedgerModel::kEvent,
                           std::max(event, rest(*m_rows, TLedgerModel::kEvent)));
    m_summary->setColumnWidth(
        0, std::max(m_rows->columnWidth(TLedgerModel::kCharacter), rest(*m_summary, 0)));
    m_fitting = false;
}

bool TLedgerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize &&
        (watched == m_rows->viewport() || watched == m_summary->viewport()))
        Stretch();
    return QMdiSubWindow::eventFilter(watched, event);
}

void TLedgerWindow::closeEvent(QCloseEvent* event)
{
    // The window is made once a run: closing it only hides it, so it comes
    // back where it was.
    event->ignore();
    emit CloseAsked();
    if (isVisible())
        hide();
}

} // namespace mecovnik

#include "history/TLedgerWindow.h"

#include "history/TFightLedger.h"
#include "history/TLedgerModel.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>

namespace mecovnik {

namespace {

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
    view.horizontalHeader()->setStretchLastSection(true);
    view.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

TLedgerWindow::TLedgerWindow(const TExperienceLedger& ledger, QWidget* parent)
    : QMdiSubWindow(parent), m_rowModel(new TLedgerModel(ledger, this)),
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
    const QFontMetrics metrics = m_rows->fontMetrics();
    const auto width = [&metrics](const char* sample) {
        return metrics.horizontalAdvance(QString::fromUtf8(sample)) + 12;
    };
    m_rows->setColumnWidth(TLedgerModel::kTime, width("2024-05-01 20:00:00"));
    m_rows->setColumnWidth(TLedgerModel::kCharacter, width("Aragorn z Gondoru"));
    m_rows->setColumnWidth(TLedgerModel::kEvent, width("Zranění: Skřet [12], 15 životů z 17"));
    for (int c = TLedgerModel::kEarnedChange; c < TLedgerModel::kColumns; ++c)
        m_rows->setColumnWidth(c, width("Změna nepřidělené"));

    m_summary = new QTableView(splitter);
    m_summary->setObjectName(QStringLiteral("Souhrn"));
    m_summary->setAccessibleName(QStringLiteral("Souhrn po postavách"));
    m_summary->setModel(m_summaryModel);
    MakeUniform(*m_summary);
    m_summary->setColumnWidth(0, width("Aragorn z Gondoru"));
    for (int c = 1; c < 4; ++c)
        m_summary->setColumnWidth(c, width("Získáno v souboji"));
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

TLedgerWindow::~TLedgerWindow() = default;

void TLedgerWindow::Follow(const TLedgerMove& move)
{
    m_rowModel->Follow(move);
    m_summaryModel->Refresh();
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

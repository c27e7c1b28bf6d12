#include "history/TLedgerModel.h"

#include "components/QtText.h"
#include "history/LedgerExport.h"
#include "history/TFightLedger.h"

#include <algorithm>

namespace mecovnik {

TLedgerModel::TLedgerModel(const TExperienceLedger& ledger, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger),
      m_count(static_cast<int>(std::min<std::size_t>(ledger.Count(), INT_MAX)))
{
}

int TLedgerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int TLedgerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant TLedgerModel::data(const QModelIndex& index, int role) const
{
    // Between a move's begin and end the rows going away may be gone already.
    if (!index.isValid() || index.row() >= m_count ||
        static_cast<std::size_t>(index.row()) >= m_ledger.Count())
        return {};
    const TLedgerRow& row = m_ledger.At(static_cast<std::size_t>(index.row()));
    if (role == Qt::TextAlignmentRole)
        return index.column() >= kEarnedChange ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case kTime:
        return ToQString(LocalTimeText(row.Time, TTimeStyle::Czech));
    case kCharacter:
        return ToQString(row.Character);
    case kEvent:
        return ToQString(EventText(row));
    case kEarnedChange:
    case kUnassignedChange:
    case kEarned:
    case kUnassigned:
        return NumberText(Number(row, index.column()), index.column() < kEarned);
    default:
        return {};
    }
}

QString TLedgerModel::NumberText(std::int64_t n, bool change)
{
    return change && n > 0 ? QStringLiteral("+%1").arg(n) : QString::number(n);
}

std::int64_t TLedgerModel::Number(const TLedgerRow& row, int column)
{
    switch (column) {
    case kEarnedChange:
        return row.EarnedChange;
    case kUnassignedChange:
        return row.UnassignedChange;
    case kEarned:
        return row.Earned;
    case kUnassigned:
        return row.Unassigned;
    default:
        return 0;
    }
}

// Long headings take two lines, so the number columns stay narrow.
QVariant TLedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case kTime:
        return QStringLiteral("Čas");
    case kCharacter:
        return QStringLiteral("Postava");
    case kEvent:
        return QStringLiteral("Událost");
    case kEarnedChange:
        return QStringLiteral("Změna\nzkušenosti");
    case kUnassignedChange:
        return QStringLiteral("Změna\nnepřidělené");
    case kEarned:
        return QStringLiteral("Zkušenost");
    case kUnassigned:
        return QStringLiteral("Nepřidělená");
    default:
        return {};
    }
}

void TLedgerModel::Follow(const TLedgerMove& move)
{
    const int now = static_cast<int>(std::min<std::size_t>(m_ledger.Count(), INT_MAX));
    if (move.Cleared ||
        now != m_count - static_cast<int>(move.Taken) + static_cast<int>(move.Appended)) {
        beginResetModel();
        m_count = now;
        endResetModel();
        return;
    }
    if (move.Taken > 0) {
        beginRemoveRows({}, m_count - static_cast<int>(move.Taken), m_count - 1);
        m_count -= static_cast<int>(move.Taken);
        endRemoveRows();
    }
    if (move.Appended > 0) {
        beginInsertRows({}, m_count, m_count + static_cast<int>(move.Appended) - 1);
        m_count += static_cast<int>(move.Appended);
        endInsertRows();
    }
}

TLedgerSummaryModel::TLedgerSummaryModel(const TExperienceLedger& ledger, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger), m_rows(ledger.Summary())
{
}

int TLedgerSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TLedgerSummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant TLedgerSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_rows.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() > 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                  : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const TLedgerSummary& s = m_rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        // A character who left keeps the experience they earned here.
        return s.Present ? ToQString(s.Character)
                         : QStringLiteral("%1 (smazána)").arg(ToQString(s.Character));
    case 1:
        return QString::number(s.Earned);
    case 2:
        return QString::number(s.HandedOver);
    case 3:
        return QString::number(s.NotHandedOver);
    default:
        return {};
    }
}

// Long headings take two lines, as in the rows above.
QVariant TLedgerSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QStringLiteral("Postava");
    case 1:
        return QStringLiteral("Získáno\nv souboji");
    case 2:
        return QStringLiteral("Předáno");
    case 3:
        return QStringLiteral("Dosud\nnepředáno");
    default:
        return {};
    }
}

void TLedgerSummaryModel::Refresh()
{
    beginResetModel();
    m_rows = m_ledger.Summary();
    endResetModel();
}

} // namespace mecovnik

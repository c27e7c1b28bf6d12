#include "roster/TRosterModel.h"

#include "components/QtText.h"

namespace mecovnik {

TRosterModel::TRosterModel(const TNameOrder& order, QObject* parent)
    : QAbstractListModel(parent), m_records(order)
{
}

TRosterModel::~TRosterModel() = default;

int TRosterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_records.Count();
}

QVariant TRosterModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::string& name = m_records.At(index.row())->Name;
    return ToQString(name);
}

int TRosterModel::Add(std::unique_ptr<TObjekt> record)
{
    const int row = m_records.InsertPosition(record->Name);
    beginInsertRows({}, row, row);
    const int added = m_records.Add(std::move(record));
    endInsertRows();
    Q_ASSERT(added == row);
    return added;
}

void TRosterModel::Delete(int row)
{
    if (!m_records.At(row))
        return;
    beginRemoveRows({}, row, row);
    m_records.Delete(row);
    endRemoveRows();
}

int TRosterModel::RowOf(const TObjekt* record) const
{
    for (int row = 0; row < m_records.Count(); ++row)
        if (m_records.At(row) == record)
            return row;
    return -1;
}

} // namespace mecovnik

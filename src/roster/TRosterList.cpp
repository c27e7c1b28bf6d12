#include "roster/TRosterList.h"

#include <algorithm>

namespace mecovnik {

TObjekt* TRosterList::At(int row) const
{
    if (row < 0 || row >= Count())
        return nullptr;
    return m_rows[static_cast<std::size_t>(row)].get();
}

int TRosterList::InsertPosition(std::string_view name) const
{
    const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), name,
                                     [this](std::string_view n, const auto& record) {
                                         return m_order.Compare(n, record->Name) < 0;
                                     });
    return static_cast<int>(it - m_rows.begin());
}

int TRosterList::Add(std::unique_ptr<TObjekt> record)
{
    const int row = InsertPosition(record->Name);
    m_rows.insert(m_rows.begin() + row, std::move(record));
    return row;
}

int TRosterList::IndexOf(std::string_view name) const
{
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), name,
                                     [this](const auto& record, std::string_view n) {
                                         return m_order.Compare(record->Name, n) < 0;
                                     });
    if (it == m_rows.end() || m_order.Compare((*it)->Name, name) != 0)
        return -1;
    return static_cast<int>(it - m_rows.begin());
}

void TRosterList::Delete(int row)
{
    if (row < 0 || row >= Count())
        return;
    m_rows.erase(m_rows.begin() + row);
}

} // namespace mecovnik

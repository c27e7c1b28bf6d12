#include "persistence/TMonsterPresets.h"

#include "roster/TNameOrder.h"

namespace mecovnik {

TNestvura* TMonsterPresets::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_records[static_cast<std::size_t>(index)].get();
}

int TMonsterPresets::IndexOf(std::string_view name, const TNameOrder& order) const
{
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (order.Compare(m_records[i]->Name, name) == 0)
            return static_cast<int>(i);
    return -1;
}

int TMonsterPresets::Append(std::unique_ptr<TNestvura> record)
{
    m_records.push_back(std::move(record));
    return Count() - 1;
}

} // namespace mecovnik

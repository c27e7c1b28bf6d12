#include "roster/TMonsterPresets.h"

#include "roster/TNameOrder.h"

namespace mecovnik {

TNestvura* TMonsterPresets::At(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_records[static_cast<std::size_t>(index)].Record.get();
}

int TMonsterPresets::IndexOf(std::string_view name, const TNameOrder& order) const
{
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (order.Compare(m_records[i].Record->Name, name) == 0)
            return static_cast<int>(i);
    return -1;
}

int TMonsterPresets::Append(std::unique_ptr<TNestvura> record)
{
    m_records.push_back({std::move(record), ++m_lastMark});
    return Count() - 1;
}

void TMonsterPresets::MarkChanged(int index)
{
    if (index >= 0 && index < Count())
        m_records[static_cast<std::size_t>(index)].Mark = ++m_lastMark;
}

void TMonsterPresets::MarkAllKept()
{
    for (TEntry& entry : m_records)
        entry.Mark = 0;
}

std::uint64_t TMonsterPresets::MarkOf(int index) const
{
    if (index < 0 || index >= Count())
        return 0;
    return m_records[static_cast<std::size_t>(index)].Mark;
}

} // namespace mecovnik

#include "roster/TRosterList.h"

#include "roster/RosterRules.h"
#include "roster/RowSplice.h"

#include <algorithm>

namespace mecovnik {

namespace {

// The class of bases that compare equal to base, or nullptr.
template <class Classes>
auto FindClass(Classes& classes, std::string_view base, const TNameOrder& order)
    -> decltype(&classes.front())
{
    for (auto& c : classes)
        if (c.Base == base || order.Compare(c.Base, base) == 0)
            return &c;
    return nullptr;
}

} // namespace

void TRosterList::Track(const std::string& name, bool added)
{
    std::string_view base;
    const std::int64_t n = NumberedNameSuffix(name, base);
    if (n <= 0)
        return;
    const std::string key = m_order.FoldKey(base);
    if (added) {
        TNumberClasses& classes = m_numbers[key];
        TNumbers* numbers = FindClass(classes, base, m_order);
        if (!numbers)
            numbers = &classes.emplace_back(TNumbers{std::string(base), {}, 1});
        ++numbers->Used[n];
        while (numbers->Used.contains(numbers->LowestFree))
            ++numbers->LowestFree;
        return;
    }
    const auto group = m_numbers.find(key);
    if (group == m_numbers.end())
        return;
    TNumbers* numbers = FindClass(group->second, base, m_order);
    if (!numbers)
        return;
    const auto used = numbers->Used.find(n);
    if (used == numbers->Used.end() || --used->second > 0)
        return;
    numbers->Used.erase(used);
    numbers->LowestFree = std::min(numbers->LowestFree, n);
    if (!numbers->Used.empty())
        return;
    std::erase_if(group->second, [](const TNumbers& c) { return c.Used.empty(); });
    if (group->second.empty())
        m_numbers.erase(group);
}

std::int64_t TRosterList::LowestFreeNumber(std::string_view name) const
{
    const auto group = m_numbers.find(m_order.FoldKey(name));
    if (group == m_numbers.end())
        return 1;
    const TNumbers* numbers = FindClass(group->second, name, m_order);
    return numbers ? numbers->LowestFree : 1;
}

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
                                         return CompareRosterNames(m_order, n, record->Name) < 0;
                                     });
    return static_cast<int>(it - m_rows.begin());
}

int TRosterList::Add(std::unique_ptr<TObjekt> record)
{
    const int row = InsertPosition(record->Name);
    ++m_revision;
    Track(record->Name, true);
    m_rows.insert(m_rows.begin() + row, std::move(record));
    return row;
}

int TRosterList::IndexOf(std::string_view name) const
{
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), name,
                                     [this](const auto& record, std::string_view n) {
                                         return CompareRosterNames(m_order, record->Name, n) < 0;
                                     });
    if (it == m_rows.end() || m_order.Compare((*it)->Name, name) != 0)
        return -1;
    return static_cast<int>(it - m_rows.begin());
}

void TRosterList::Delete(int row)
{
    if (row < 0 || row >= Count())
        return;
    ++m_revision;
    auto record = std::move(m_rows[static_cast<std::size_t>(row)]);
    m_rows.erase(m_rows.begin() + row);
    Track(record->Name, false);
    Dispose(std::move(record));
}

void TRosterList::Dispose(std::unique_ptr<TObjekt> record)
{
    if (m_sink)
        m_sink->push_back(std::move(record));
}

std::vector<std::unique_ptr<TObjekt>> TRosterList::TakeRows(const std::vector<int>& rows)
{
    ++m_revision;
    auto taken = TakeAt(m_rows, rows);
    for (const auto& record : taken)
        Track(record->Name, false);
    return taken;
}

void TRosterList::PutRows(std::vector<std::pair<int, std::unique_ptr<TObjekt>>> rows)
{
    ++m_revision;
    for (const auto& [row, record] : rows)
        Track(record->Name, true);
    PutAt(m_rows, std::move(rows));
}

} // namespace mecovnik

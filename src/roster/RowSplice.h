#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace mecovnik {

// Whether rows are strictly ascending and each lies in 0..size-1.
[[nodiscard]] inline bool AscendingRowsBelow(const std::vector<int>& rows, std::size_t size)
{
    int previous = -1;
    for (const int row : rows) {
        if (row <= previous || static_cast<std::size_t>(row) >= size)
            return false;
        previous = row;
    }
    return true;
}

// Removes the elements at rows (strictly ascending, each valid) in one pass
// and returns them in that order.
template <class T>
[[nodiscard]] std::vector<T> TakeAt(std::vector<T>& items, const std::vector<int>& rows)
{
    std::vector<T> taken;
    taken.reserve(rows.size());
    std::size_t next = 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (next < rows.size() && static_cast<std::size_t>(rows[next]) == i) {
            taken.push_back(std::move(items[i]));
            ++next;
        } else {
            if (kept != i)
                items[kept] = std::move(items[i]);
            ++kept;
        }
    }
    items.resize(kept);
    return taken;
}

// Inserts each (row, element) pair so that the element ends at that row of the
// result; rows strictly ascending and each below the result's size. One pass.
template <class T> void PutAt(std::vector<T>& items, std::vector<std::pair<int, T>>&& rows)
{
    if (rows.empty())
        return;
    std::vector<T> result;
    result.reserve(items.size() + rows.size());
    std::size_t next = 0;
    std::size_t old = 0;
    while (result.size() < items.size() + rows.size()) {
        if (next < rows.size() && static_cast<std::size_t>(rows[next].first) == result.size())
            result.push_back(std::move(rows[next++].second));
        else
            result.push_back(std::move(items[old++]));
    }
    items = std::move(result);
}

} // namespace mecovnik

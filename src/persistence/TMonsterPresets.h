#pragma once

#include "roster/TNestvura.h"

#include <memory>
#include <string_view>
#include <vector>

namespace mecovnik {

class TNameOrder;

// The remembered monster kinds: an unsorted list in insertion order, each line a
// name with its record, which the list owns. A preset's name is its record's Name.
class TMonsterPresets
{
public:
    TMonsterPresets() = default;
    TMonsterPresets(const TMonsterPresets&) = delete;
    TMonsterPresets& operator=(const TMonsterPresets&) = delete;
    ~TMonsterPresets() = default;

    [[nodiscard]] int Count() const { return static_cast<int>(m_records.size()); }

    // The record at a position, or nullptr outside the list.
    [[nodiscard]] TNestvura* At(int index) const;

    // Position of the first preset whose name equals name ignoring case, or -1.
    [[nodiscard]] int IndexOf(std::string_view name, const TNameOrder& order) const;

    // Appends a preset; the list takes the record. Returns its position.
    int Append(std::unique_ptr<TNestvura> record);

    // Destroys every record and empties the list.
    void FreeListObjects() { m_records.clear(); }

private:
    std::vector<std::unique_ptr<TNestvura>> m_records;
};

} // namespace mecovnik

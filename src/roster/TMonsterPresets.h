#pragma once

#include "roster/TNestvura.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace mecovnik {

class TNameOrder;

// The remembered monster kinds: an unsorted list in insertion order, each line a
// name with its record, which the list owns. A preset's name is its record's Name.
//
// Each preset added or changed gets the next mark, so that what the
// configuration does not hold yet can be found; presets the configuration
// holds (loaded or saved) have none.
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

    // Appends a preset, marked as added; the list takes the record. Returns
    // its position.
    int Append(std::unique_ptr<TNestvura> record);

    // Destroys every record and empties the list.
    void FreeListObjects() { m_records.clear(); }

    // The preset at a position was changed (nothing outside the list).
    void MarkChanged(int index);
    // The configuration holds every preset as it is now.
    void MarkAllKept();
    // The mark of the preset at a position; 0 when the configuration holds it
    // as it is, or outside the list.
    [[nodiscard]] std::uint64_t MarkOf(int index) const;
    // The latest mark given; grows with every preset added or changed.
    [[nodiscard]] std::uint64_t LastMark() const { return m_lastMark; }

private:
    struct TEntry
    {
        std::unique_ptr<TNestvura> Record;
        std::uint64_t Mark = 0;
    };
    std::vector<TEntry> m_records;
    std::uint64_t m_lastMark = 0;
};

} // namespace mecovnik

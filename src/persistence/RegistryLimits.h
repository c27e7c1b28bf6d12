#pragma once

#include "persistence/TRegistryKey.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mecovnik {

// The store's limits, shared by the file's reader, the store's quota and the
// writer. All three use one count: the bytes a key or value takes in the
// written file. So a tree the reader accepts is a file the writer can write,
// and a file the writer wrote reads back whole.

// The largest file the store reads or writes, and the most the keys and values
// may count together. A larger file is read as far as this.
inline constexpr std::size_t kMaxRegistryFileBytes = 64u * 1024u * 1024u;

// Data outside the program's own places (values it does not know, other
// programs' keys) may count at most half of the limit; the other half is room
// kept for the program's own values, so they can always be written on top of
// whatever was read.
[[nodiscard]] constexpr std::size_t ForeignLimit(std::size_t limit)
{
    return limit / 2;
}
[[nodiscard]] constexpr std::size_t ProgramRoom(std::size_t limit)
{
    return limit - ForeignLimit(limit);
}

// What the header line counts.
[[nodiscard]] std::size_t HeaderBytes();
// What a key counts: its line "[path]" with the blank line before it. pathBytes
// is the UTF-8 length of the key's path from its hive root. A hive root
// without values but with subkeys is not written; it counts all the same.
[[nodiscard]] constexpr std::size_t KeyLineBytes(std::size_t pathBytes)
{
    return pathBytes + 4;
}
// What a value counts: its written line(s), exactly.
[[nodiscard]] std::size_t ValueLineBytes(std::string_view name, const TRegistryValue& value);

// The program's own places, as paths from a hive root ("HKEY_CURRENT_USER\...").
// A key line is the program's when its key is one of them, lies on the way to
// one or inside a subtree; a value is the program's inside a subtree or when
// it is named in Values.
struct TProgramPlaces
{
    std::vector<std::string> Subtrees;
    std::vector<std::pair<std::string, std::string>> Values; // key path, value name
};

// Tells, key by key from the top of the tree, whether keys and values are the
// program's own.
class TOwnership final
{
public:
    enum class TPlace
    {
        Foreign,
        OnTheWay, // the key is, or lies on the way to, a place of the program
        Inside,   // the key lies in one of the program's subtrees
    };
    struct TKeyOwner
    {
        TPlace Place = TPlace::OnTheWay;
        std::string Folded; // the folded path while OnTheWay
    };

    TOwnership() = default;
    explicit TOwnership(const TProgramPlaces& places);

    // The store's top key: above every hive root.
    [[nodiscard]] static TKeyOwner Top() { return {}; }
    [[nodiscard]] TKeyOwner Child(const TKeyOwner& parent, std::string_view name) const;
    [[nodiscard]] static bool OwnsKey(const TKeyOwner& key) { return key.Place != TPlace::Foreign; }
    [[nodiscard]] bool OwnsValue(const TKeyOwner& key, std::string_view name) const;

private:
    std::vector<std::string> m_subtrees; // folded
    std::vector<std::string> m_ways;     // folded: every path that leads to a place
    std::vector<std::pair<std::string, std::string>> m_values; // folded
};

} // namespace mecovnik

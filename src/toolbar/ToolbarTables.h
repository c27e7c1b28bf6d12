#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

// Item identifiers shared by the tables, the toolbar and the stored layout.
// Zero and above are command buttons.
inline constexpr std::int32_t tbSpace = -1;
inline constexpr std::int32_t tbSeparator = -2;
inline constexpr std::int32_t tbNewLine = -3;

// Size in bytes of one BUTTONS record and of one layout record.
inline constexpr std::size_t kButtonRecordSize = 20;
inline constexpr std::size_t kLayoutRecordSize = 20;

// A button that may appear on the toolbar, with the remembered state of its
// command.
struct TToolbarButtonDef
{
    std::int32_t Id = 0;
    std::int32_t Image = 0;
    std::int32_t AllowAllUp = 0;
    std::int32_t Group = 0;
    std::int32_t HelpContext = 0;
    bool Enabled = true;
    bool Down = false;
    friend bool operator==(const TToolbarButtonDef&, const TToolbarButtonDef&) = default;
};

// One placed item of a layout: the INITIAL table's record and the stored one.
struct TToolbarLayoutItem
{
    std::int32_t Id = 0;
    std::int32_t Left = -1;
    std::int32_t Top = -1;
    std::int32_t Width = -1;
    std::int32_t Height = -1;
    friend bool operator==(const TToolbarLayoutItem&, const TToolbarLayoutItem&) = default;
};

// One group of the ADJUST table, as the customisation lists it.
struct TToolbarGroup
{
    std::string Name;
    std::vector<std::int32_t> Items;
    friend bool operator==(const TToolbarGroup&, const TToolbarGroup&) = default;
};

// A resource's type and name.
struct TResourceName
{
    std::string Type;
    std::string Name;
    friend bool operator==(const TResourceName&, const TResourceName&) = default;
};

using TToUpper = std::function<std::string(std::string_view)>;

// Resolves a table property "type/name" against the type "TOOLBAR" and the
// table's default name. An empty property keeps both defaults; one without a
// slash is the name alone; a type part is taken only when something precedes
// the slash, a name only when at least two characters follow it. Both parts
// are upper-cased with toUpper.
[[nodiscard]] TResourceName SplitResourceSpec(std::string_view resourceSpec,
                                              std::string_view defaultName,
                                              const TToUpper& toUpper);

// The little-endian 32-bit integer at offset; the caller checks the size.
[[nodiscard]] std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset);
// Appends value as four little-endian bytes.
void AppendInt32LE(std::vector<std::uint8_t>& bytes, std::int32_t value);

// BUTTONS: size / 20 definitions, each enabled and up; a remainder is ignored.
[[nodiscard]] std::vector<TToolbarButtonDef> ReadButtonsTable(std::span<const std::uint8_t> bytes);
// INITIAL and the stored layout: size / 20 records; a remainder is ignored.
[[nodiscard]] std::vector<TToolbarLayoutItem>
ReadLayoutRecords(std::span<const std::uint8_t> bytes);
// The records as 20 bytes each.
[[nodiscard]] std::vector<std::uint8_t>
WriteLayoutRecords(std::span<const TToolbarLayoutItem> items);

// ADJUST: a group count, then per group its name number, item count and items.
// Names are string stringsStart + nameNumber - 1 (through loadString, which
// gives "" for a missing one), or "Skupina n" for name number 0 or an empty
// string. No value when the table was not found. Reading stops
// where the data ends: a group whose items run past it is dropped with every
// later one, so nothing beyond the data is read and no allocation is sized by
// a count larger than the data could hold.
[[nodiscard]] std::optional<std::vector<TToolbarGroup>>
ReadAdjustTable(std::optional<std::span<const std::uint8_t>> bytes, std::int32_t stringsStart,
                const std::function<std::string(std::int32_t)>& loadString);

// The resource name of bitmap n: format with "%d" replaced by n, or the plain
// number when format is empty.
[[nodiscard]] std::string ImageResourceName(std::string_view format, std::int32_t n);

// Loads a numbered list from start on. With count 0 it stops at the first
// number that load gives nothing for; with count N it takes exactly N numbers,
// keeping an empty slot for each missing one.
template <class T>
std::vector<std::optional<T>>
LoadNumberedList(std::int32_t start, std::int32_t count,
                 const std::function<std::optional<T>(std::int32_t)>& load)
{
    std::vector<std::optional<T>> list;
    for (std::int64_t n = start;; ++n) {
        if (count > 0 && list.size() >= static_cast<std::size_t>(count))
            break;
        if (n > INT32_MAX)
            break;
        std::optional<T> item = load(static_cast<std::int32_t>(n));
        if (!item && count <= 0)
            break;
        list.push_back(std::move(item));
    }
    return list;
}

// The strings from start on, each through loadString ("" when missing). With
// count 0 the first empty string ends the list; with count N exactly N strings.
[[nodiscard]] std::vector<std::string>
LoadHintList(std::int32_t start, std::int32_t count,
             const std::function<std::string(std::int32_t)>& loadString);

// The 1-based image number of a definition (its image field, or its id when
// that is 0) as an index into a list of listSize images; no value when it has
// no glyph.
[[nodiscard]] std::optional<std::size_t> ImageIndexFor(const TToolbarButtonDef& def,
                                                       std::size_t listSize);
// The hint of button id in hints; "" when there is none.
[[nodiscard]] std::string HintFor(std::int32_t id, std::span<const std::string> hints);

// How the customisation lists an item: "Mezera", "Oddělovač", "Nový řádek",
// the hint up to the first "(" or "[", or "Tlačítko n".
[[nodiscard]] std::string ButtonDisplayName(std::int32_t id, std::string_view hint);

// The definition of id, or nullptr.
[[nodiscard]] TToolbarButtonDef* FindDefinition(std::vector<TToolbarButtonDef>& defs,
                                                std::int32_t id);
[[nodiscard]] const TToolbarButtonDef* FindDefinition(const std::vector<TToolbarButtonDef>& defs,
                                                      std::int32_t id);

} // namespace mecovnik

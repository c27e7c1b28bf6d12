#include "toolbar/ToolbarTables.h"

#include "text/Utf8.h"

#include <algorithm>
#include <limits>

namespace mecovnik {

namespace {

std::string Formatted(std::string_view format, std::int64_t n)
{
    std::string out;
    const std::string number = std::to_string(n);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd') {
            out += number;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string StringAt(std::int64_t number,
                     const std::function<std::string(std::int32_t)>& loadString)
{
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return {};
    return loadString(static_cast<std::int32_t>(number));
}

} // namespace

TResourceName SplitResourceSpec(std::string_view resourceSpec, std::string_view defaultName,
                                const TToUpper& toUpper)
{
    TResourceName result{"TOOLBAR", std::string(defaultName)};
    if (resourceSpec.empty())
        return result;
    const std::size_t slash = resourceSpec.find('/');
    if (slash == std::string_view::npos) {
        result.Name = toUpper(resourceSpec);
        return result;
    }
    if (slash > 0)
        result.Type = toUpper(resourceSpec.substr(0, slash));
    const std::string_view rest = resourceSpec.substr(slash + 1);
    if (Utf8CharacterCount(rest) >= 2)
        result.Name = toUpper(rest);
    return result;
}

std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    const std::uint32_t v = static_cast<std::uint32_t>(bytes[offset]) |
                            static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
                            static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
                            static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    return static_cast<std::int32_t>(v);
}

void AppendInt32LE(std::vector<std::uint8_t>& bytes, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::vector<TToolbarButtonDef> ReadButtonsTable(std::span<const std::uint8_t> bytes)
{
    std::vector<TToolbarButtonDef> defs(bytes.size() / kButtonRecordSize);
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const std::size_t at = i * kButtonRecordSize;
        TToolbarButtonDef& d = defs[i];
        d.Id = ReadInt32LE(bytes, at);
        d.Image = ReadInt32LE(bytes, at + 4);
        d.AllowAllUp = ReadInt32LE(bytes, at + 8);
        d.Group = ReadInt32LE(bytes, at + 12);
        d.HelpContext = ReadInt32LE(bytes, at + 16);
    }
    return defs;
}

std::vector<TToolbarLayoutItem> ReadLayoutRecords(std::span<const std::uint8_t> bytes)
{
    std::vector<TToolbarLayoutItem> items(bytes.size() / kLayoutRecordSize);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::size_t at = i * kLayoutRecordSize;
        items[i] = {ReadInt32LE(bytes, at), ReadInt32LE(bytes, at + 4), ReadInt32LE(bytes, at + 8),
                    ReadInt32LE(bytes, at + 12), ReadInt32LE(bytes, at + 16)};
    }
    return items;
}

std::vector<std::uint8_t> WriteLayoutRecords(std::span<const TToolbarLayoutItem> items)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(items.size() * kLayoutRecordSize);
    for (const TToolbarLayoutItem& item : items) {
        for (std::int32_t v : {item.Id, item.Left, item.Top, item.Width, item.Height})
            AppendInt32LE(bytes, v);
    }
    return bytes;
}

std::optional<std::vector<TToolbarGroup>>
ReadAdjustTable(std::optional<std::span<const std::uint8_t>> found, std::int32_t stringsStart,
                const std::function<std::string(std::int32_t)>& loadString)
{
    if (!found)
        return std::nullopt;
    const std::span<const std::uint8_t> bytes = *found;
    std::vector<TToolbarGroup> groups;
    std::size_t at = 0;
    const auto next = [&](std::int32_t& value) {
        if (bytes.size() - at < 4)
            return false;
        value = ReadInt32LE(bytes, at);
        at += 4;
        return true;
    };
    std::int32_t groupCount = 0;
    if (!next(groupCount))
        return groups;
    for (std::int32_t g = 0; g < groupCount; ++g) {
        std::int32_t nameNumber = 0;
        std::int32_t itemCount = 0;
        if (!next(nameNumber) || !next(itemCount))
            break;
        const std::size_t available = (bytes.size() - at) / 4;
        if (itemCount < 0 || static_cast<std::size_t>(itemCount) > available)
            break;
        TToolbarGroup group;
        group.Items.reserve(static_cast<std::size_t>(itemCount));
        for (std::int32_t i = 0; i < itemCount; ++i) {
            std::int32_t id = 0;
            next(id);
            group.Items.push_back(id);
        }
        if (nameNumber != 0)
            group.Name = StringAt(std::int64_t{stringsStart} + nameNumber - 1, loadString);
        if (group.Name.empty())
            group.Name = "Skupina " + std::to_string(g + 1);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string ImageResourceName(std::string_view format, std::int32_t n)
{
    return format.empty() ? std::to_string(n) : Formatted(format, n);
}

std::vector<std::string> LoadHintList(std::int32_t start, std::int32_t count,
                                      const std::function<std::string(std::int32_t)>& loadString)
{
    const std::function<std::optional<std::string>(std::int32_t)> load =
        [&](std::int32_t n) -> std::optional<std::string> {
        std::string s = loadString(n);
        if (s.empty())
            return std::nullopt;
        return s;
    };
    std::vector<std::string> hints;
    for (std::optional<std::string>& s : LoadNumberedList(start, count, load))
        hints.push_back(s ? std::move(*s) : std::string());
    return hints;
}

std::optional<std::size_t> ImageIndexFor(const TToolbarButtonDef& def, std::size_t listSize)
{
    const std::int32_t number = def.Image != 0 ? def.Image : def.Id;
    if (number < 1 || static_cast<std::size_t>(number) > listSize)
        return std::nullopt;
    return static_cast<std::size_t>(number) - 1;
}

std::string HintFor(std::int32_t id, std::span<const std::string> hints)
{
    if (id < 1 || static_cast<std::size_t>(id) > hints.size())
        return {};
    return hints[static_cast<std::size_t>(id) - 1];
}

std::string ButtonDisplayName(std::int32_t id, std::string_view hint)
{
    switch (id) {
    case tbSpace:
        return "Mezera";
    case tbSeparator:
        return "Oddělovač";
    case tbNewLine:
        return "Nový řádek";
    default:
        break;
    }
    std::string name(hint.substr(0, std::min(hint.find('('), hint.find('['))));
    if (name.empty())
        name = "Tlačítko " + std::to_string(id);
    return name;
}

TToolbarButtonDef* FindDefinition(std::vector<TToolbarButtonDef>& defs, std::int32_t id)
{
    const auto it = std::find_if(defs.begin(), defs.end(),
                                 [id](const TToolbarButtonDef& d) { return d.Id == id; });
    return it == defs.end() ? nullptr : &*it;
}

const TToolbarButtonDef* FindDefinition(const std::vector<TToolbarButtonDef>& defs, std::int32_t id)
{
    const auto it = std::find_if(defs.begin(), defs.end(),
                                 [id](const TToolbarButtonDef& d) { return d.Id == id; });
    return it == defs.end() ? nullptr : &*it;
}

} // namespace mecovnik

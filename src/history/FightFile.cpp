#include "history/FightFile.h"

#include "history/LedgerExport.h"
#include "roster/TNameOrder.h"
#include "text/Utf8.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <numeric>
#include <optional>
#include <utility>

namespace mecovnik {

namespace {

using TJson = nlohmann::ordered_json; // keeps the order of keys it reads

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The keys of a record's numbers, in the order of TRecordNumbers.
constexpr std::array<std::string_view, 5> kCharacterKeys = {"zivoty", "max_zivoty", "vyrazeni",
                                                            "zkusenost", "nepridelena_zkusenost"};
constexpr std::array<std::string_view, 6> kMonsterKeys = {
    "zivoty", "max_zivoty", "vyrazeni", "zkusenost_za_zabiti", "uroven", "pravidlo_vyrazeni"};
constexpr std::string_view kRosterKeys[kRosterSides] = {"postavy", "nestvury"};
constexpr std::string_view kSelectionKeys[kRosterSides] = {"postava", "nestvura"};

// The largest number of lives a roll can give: eight for each of 512 levels.
constexpr std::int64_t kMaxRolledLives = 8 * 512;

// Whether JSON text would nest deeper or hold more values than the limits
// allow, found before it is parsed. Outside strings, every value but the
// first of a list or object follows a comma, so the values number at most
// one more than the commas and the lists and objects together. (The parser's
// own callback would count exactly, but it slows parsing a hundredfold.)
bool OverLimits(std::string_view bytes)
{
    std::size_t values = 1;
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            if (++depth > kMaxFightFileDepth)
                return true;
            ++values;
            break;
        case ']':
        case '}':
            --depth;
            break;
        case ',':
            ++values;
            break;
        default:
            continue;
        }
        if (values > kMaxFightFileValues)
            return true;
    }
    return false;
}

// A whole number of the JSON text, saturated to 64 bits.
std::int64_t Saturated(const TJson& value)
{
    if (!value.is_number_unsigned())
        return value.get<std::int64_t>();
    const auto u = value.get<std::uint64_t>();
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    return u > static_cast<std::uint64_t>(max) ? max : static_cast<std::int64_t>(u);
}

std::int32_t Clamp(std::int64_t value, std::int64_t lo, std::int64_t hi, std::size_t& clamped)
{
    if (value < lo || value > hi) {
        ++clamped;
        value = std::clamp(value, lo, hi);
    }
    return static_cast<std::int32_t>(value);
}

// Checks a parsed file and takes the fight out of it.
class TReader
{
public:
    TReader(TFightFileReading& reading, const TNameOrder& order)
        : m_reading(reading), m_order(order)
    {
    }

    bool Read(const TJson& root)
    {
        if (!root.is_object())
            return Fail(TFightFileError::NotFightFile, {});
        const auto format = root.find("format");
        if (format == root.end() || !format->is_string() ||
            format->get_ref<const std::string&>() != kFightFileFormat)
            return Fail(TFightFileError::NotFightFile, {});
        const TJson* version = Member(root, "verze", "");
        if (!version)
            return false;
        if (!version->is_number_integer())
            return Fail(TFightFileError::WrongType, "/verze");
        if (Saturated(*version) > kFightFileVersion)
            return Fail(TFightFileError::NewerVersion, "/verze");
        if (Saturated(*version) < 1)
            return Fail(TFightFileError::NotFightFile, "/verze");

        TFightData& fight = m_reading.File.Fight;
        for (int side = 0; side < kRosterSides; ++side)
            if (!ReadRoster(root, static_cast<TRosterSide>(side)))
                return false;
        if (!ReadSelection(root))
            return false;
        for (int side = 0; side < kRosterSides; ++side)
            if (!NamesUnique(static_cast<TRosterSide>(side),
                             fight.Rosters[static_cast<std::size_t>(side)]))
                return false;
        const auto ledger = root.find("denik");
        if (ledger != root.end()) {
            if (!ledger->is_array())
                return Fail(TFightFileError::WrongType, "/denik");
            // Version 1 held no ledger of this program's.
            if (Saturated(*version) >= 2 && !ReadLedger(*ledger))
                return false;
        }
        return true;
    }

private:
    bool ReadLedger(const TJson& rows)
    {
        nlohmann::json whole{{"version", kLedgerJsonVersion},
                             {"rows", nlohmann::json::parse(rows.dump())}};
        TLedgerReading read = LedgerFromJson(whole);
        if (!read.Ledger) {
            m_reading.Reason = std::move(read.Error);
            return Fail(TFightFileError::BadLedger, "/denik");
        }
        if (!LedgerAgrees(*read.Ledger, m_reading.File.Fight.Rosters[kPostavy])) {
            m_reading.Reason = "deník neodpovídá zkušenosti postav";
            return Fail(TFightFileError::BadLedger, "/denik");
        }
        m_reading.File.Ledger = std::move(*read.Ledger);
        return true;
    }

    bool Fail(TFightFileError error, std::string where)
    {
        m_reading.Error = error;
        m_reading.Where = std::move(where);
        return false;
    }

    // The member key of an object, or nullptr after noting it missing.
    const TJson* Member(const TJson& object, std::string_view key, const std::string& at)
    {
        const auto it = object.find(key);
        if (it == object.end()) {
            Fail(TFightFileError::MissingValue, at + '/' + std::string(key));
            return nullptr;
        }
        return &*it;
    }

    // A required whole number, saturated to 64 bits.
    std::optional<std::int64_t> Whole(const TJson& object, std::string_view key,
                                      const std::string& at)
    {
        const TJson* value = Member(object, key, at);
        if (!value)
            return std::nullopt;
        if (!value->is_number_integer()) {
            Fail(TFightFileError::WrongType, at + '/' + std::string(key));
            return std::nullopt;
        }
        return Saturated(*value);
    }

    bool ReadRoster(const TJson& root, TRosterSide side)
    {
        const std::string_view key = kRosterKeys[side];
        const std::string at = '/' + std::string(key);
        const TJson* list = Member(root, key, "");
        if (!list)
            return false;
        if (!list->is_array())
            return Fail(TFightFileError::WrongType, at);
        if (list->size() > kMaxFightFileCombatants)
            return Fail(TFightFileError::TooLarge, at);
        std::vector<TRecordData>& rows = m_reading.File.Fight.Rosters[side];
        rows.reserve(list->size());
        for (std::size_t i = 0; i < list->size(); ++i) {
            const TJson& entry = (*list)[i];
            const std::string entryAt = at + '/' + std::to_string(i);
            if (!entry.is_object())
                return Fail(TFightFileError::WrongType, entryAt);
            TRecordData& row = rows.emplace_back();
            const TJson* name = Member(entry, "jmeno", entryAt);
            if (!name)
                return false;
            if (!name->is_string())
                return Fail(TFightFileError::WrongType, entryAt + "/jmeno");
            row.Name = name->get_ref<const std::string&>();

            std::array<std::int64_t, 6> raw{};
            const std::size_t count =
                side == kPostavy ? kCharacterKeys.size() : kMonsterKeys.size();
            for (std::size_t k = 0; k < count; ++k) {
                const auto value =
                    Whole(entry, side == kPostavy ? kCharacterKeys[k] : kMonsterKeys[k], entryAt);
                if (!value)
                    return false;
                raw[k] = *value;
            }
            row.Numbers = side == kPostavy ? CharacterNumbers(raw) : MonsterNumbers(raw);
        }
        return true;
    }

    // The character dialog's fields take 1..512; lives set later fall to
    // 0..MaxLives, but a character may stand above its maximum as entered.
    // Experience never drops below what was handed over, so the unassigned
    // part lies within 0..Experience.
    TRecordNumbers CharacterNumbers(const std::array<std::int64_t, 6>& raw)
    {
        std::size_t& c = m_reading.Clamped;
        TRecordNumbers n{};
        n[0] = Clamp(raw[0], 0, 512, c);
        n[1] = Clamp(raw[1], 1, 512, c);
        n[2] = Clamp(raw[2], 1, 512, c);
        n[3] = Clamp(raw[3], 0, kInt32Max, c);
        n[4] = Clamp(raw[4], 0, n[3], c);
        return n;
    }

    // The monster dialog gives level 1..512 and experience 1..30000; the roll
    // gives 1..4096 lives, lives stay within 0..MaxLives and the threshold
    // below MaxLives; a rule outside the five becomes rule 0, as the roll
    // makes it.
    TRecordNumbers MonsterNumbers(const std::array<std::int64_t, 6>& raw)
    {
        std::size_t& c = m_reading.Clamped;
        TRecordNumbers n{};
        n[1] = Clamp(raw[1], 1, kMaxRolledLives, c);
        n[0] = Clamp(raw[0], 0, n[1], c);
        n[2] = Clamp(raw[2], 0, n[1] - 1, c);
        n[3] = Clamp(raw[3], 1, 30000, c);
        n[4] = Clamp(raw[4], 1, 512, c);
        if (raw[5] < 0 || raw[5] > 4) {
            ++c;
            n[5] = 0;
        } else {
            n[5] = static_cast<std::int32_t>(raw[5]);
        }
        return n;
    }

    bool ReadSelection(const TJson& root)
    {
        const TJson* selection = Member(root, "vybrano", "");
        if (!selection)
            return false;
        if (!selection->is_object())
            return Fail(TFightFileError::WrongType, "/vybrano");
        for (int side = 0; side < kRosterSides; ++side) {
            const std::string_view key = kSelectionKeys[side];
            const std::string at = "/vybrano/" + std::string(key);
            const TJson* row = Member(*selection, key, "/vybrano");
            if (!row)
                return false;
            int& selected = m_reading.File.Fight.Selection.Rows[static_cast<std::size_t>(side)];
            if (row->is_null()) {
                selected = -1;
                continue;
            }
            if (!row->is_number_integer())
                return Fail(TFightFileError::WrongType, at);
            const std::size_t count =
                m_reading.File.Fight.Rosters[static_cast<std::size_t>(side)].size();
            const std::int64_t r = Saturated(*row);
            if (r == -1) {
                selected = -1; // the program's own word for none
                continue;
            }
            if (r < 0 || static_cast<std::uint64_t>(r) >= count)
                return Fail(TFightFileError::SelectionOutside, at);
            selected = static_cast<int>(r);
        }
        return true;
    }

    // Two names that order equally would be one row of the roster.
    bool NamesUnique(TRosterSide side, const std::vector<TRecordData>& rows)
    {
        // A file the program wrote lists its rows in order: one pass finds
        // every neighbour strictly after the one before, and so no equal pair.
        bool ascending = true;
        for (std::size_t i = 1; i < rows.size() && ascending; ++i)
            ascending = m_order.Compare(rows[i - 1].Name, rows[i].Name) < 0;
        if (ascending)
            return true;
        std::vector<std::size_t> index(rows.size());
        std::iota(index.begin(), index.end(), std::size_t{0});
        std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) {
            return m_order.Compare(rows[a].Name, rows[b].Name) < 0;
        });
        for (std::size_t i = 1; i < index.size(); ++i)
            if (m_order.Compare(rows[index[i - 1]].Name, rows[index[i]].Name) == 0)
                return Fail(TFightFileError::DuplicateName,
                            '/' + std::string(kRosterKeys[side]) + '/' +
                                std::to_string(std::max(index[i - 1], index[i])) + "/jmeno");
        return true;
    }

    TFightFileReading& m_reading;
    const TNameOrder& m_order;
};

TJson NumberOrNull(int row, std::size_t count)
{
    if (row < 0 || static_cast<std::size_t>(row) >= count)
        return nullptr;
    return row;
}

} // namespace

std::optional<std::string> FormatFightFile(const TFightFile& file)
{
    const TFightData& fight = file.Fight;
    for (const auto& rows : fight.Rosters)
        if (rows.size() > kMaxFightFileCombatants)
            return std::nullopt;
    TJson root = TJson::object();
    root["format"] = kFightFileFormat;
    root["verze"] = kFightFileVersion;
    for (int side = 0; side < kRosterSides; ++side) {
        const auto& rows = fight.Rosters[static_cast<std::size_t>(side)];
        TJson::array_t list;
        list.reserve(rows.size());
        for (const TRecordData& row : rows) {
            TJson entry = TJson::object();
            entry["jmeno"] = row.Name;
            if (side == kPostavy) {
                for (std::size_t k = 0; k < kCharacterKeys.size(); ++k)
                    entry[std::string(kCharacterKeys[k])] = row.Numbers[k];
            } else {
                for (std::size_t k = 0; k < kMonsterKeys.size(); ++k)
                    entry[std::string(kMonsterKeys[k])] = row.Numbers[k];
            }
            list.push_back(std::move(entry));
        }
        root[std::string(kRosterKeys[side])] = std::move(list);
    }
    TJson selection = TJson::object();
    for (int side = 0; side < kRosterSides; ++side) {
        const auto s = static_cast<std::size_t>(side);
        selection[std::string(kSelectionKeys[side])] =
            NumberOrNull(fight.Selection.Rows[s], fight.Rosters[s].size());
    }
    root["vybrano"] = std::move(selection);
    if (file.Ledger) {
        // The ledger's own JSON, its keys in the order it writes them.
        const nlohmann::json ledger = LedgerToJson(*file.Ledger);
        root["denik"] = TJson::parse(
            ledger.at("rows").dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    }
    std::string text = root.dump(2, ' ', false, TJson::error_handler_t::replace) + '\n';
    if (text.size() > kMaxFightFileBytes || OverLimits(text))
        return std::nullopt;
    return text;
}

TFightFileReading ReadFightFile(std::string_view bytes, const TNameOrder& order)
{
    TFightFileReading reading;
    if (bytes.size() > kMaxFightFileBytes) {
        reading.Error = TFightFileError::TooLarge;
        return reading;
    }

    if (OverLimits(bytes)) {
        reading.Error = TFightFileError::TooLarge;
        return reading;
    }
    TJson root;
    try {
        root = TJson::parse(bytes.begin(), bytes.end());
    } catch (const TJson::parse_error& e) {
        const std::size_t at = std::min(e.byte > 0 ? e.byte - 1 : 0, bytes.size());
        const std::size_t bad = FirstInvalidUtf8(bytes);
        if (bad != std::string_view::npos && bad <= at) {
            reading.Error = TFightFileError::NotUtf8;
            reading.Offset = bad;
        } else {
            reading.Error = TFightFileError::NotJson;
            reading.Offset = at;
        }
        return reading;
    } catch (const TJson::exception&) {
        // A number beyond any floating-point number ("1e999"); the parser
        // does not say where.
        reading.Error = TFightFileError::NotJson;
        reading.Offset = std::string_view::npos;
        return reading;
    } catch (const std::bad_alloc&) {
        reading.Error = TFightFileError::TooLarge; // too large for the memory left
        return reading;
    }

    TReader reader(reading, order);
    if (!reader.Read(root)) {
        const TFightFileError error = reading.Error;
        std::string where = std::move(reading.Where);
        std::string reason = std::move(reading.Reason);
        reading = {};
        reading.Error = error;
        reading.Where = std::move(where);
        reading.Reason = std::move(reason);
    }
    return reading;
}

} // namespace mecovnik

#include "history/LedgerExport.h"

#include <nlohmann/json.hpp>

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace mecovnik {

namespace {

// 0001-01-01 00:00:00 and 9999-12-31 23:59:59 UTC.
constexpr std::int64_t kFirstCivilSecond = -62'135'596'800;
constexpr std::int64_t kLastCivilSecond = 253'402'300'799;

constexpr std::array<std::pair<TLedgerEvent, std::string_view>, 7> kEventNames{{
    {TLedgerEvent::Wound, "wound"},
    {TLedgerEvent::HandOverAll, "handOverAll"},
    {TLedgerEvent::HandOverPart, "handOverPart"},
    {TLedgerEvent::Special, "special"},
    {TLedgerEvent::Reset, "reset"},
    {TLedgerEvent::Added, "added"},
    {TLedgerEvent::Deleted, "deleted"},
}};

std::string_view EventName(TLedgerEvent event)
{
    for (const auto& [e, name] : kEventNames)
        if (e == event)
            return name;
    return {};
}

std::optional<TLedgerEvent> EventNamed(std::string_view name)
{
    for (const auto& [e, n] : kEventNames)
        if (n == name)
            return e;
    return std::nullopt;
}

void AppendField(std::string& out, std::string_view field, bool text)
{
    const bool formula = text && !field.empty() &&
                         std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
    const bool quote = formula || field.find_first_of(",\"\r\n") != std::string_view::npos;
    if (!quote) {
        out += field;
        return;
    }
    out += '"';
    if (formula)
        out += '\'';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string CivilTimeText(std::int64_t time, std::int64_t offset, TTimeStyle style)
{
    using namespace std::chrono;
    constexpr std::int64_t day = 86'400;
    // An offset beyond a day is no zone's; the bounds keep the sum in range.
    if (offset < -day || offset > day || time < kFirstCivilSecond - offset ||
        time > kLastCivilSecond - offset)
        return std::to_string(time);
    const sys_seconds at{seconds{time + offset}};
    const sys_days date = floor<days>(at);
    const year_month_day ymd{date};
    const hh_mm_ss hms{at - date};
    const auto y = static_cast<int>(ymd.year());
    const auto m = static_cast<unsigned>(ymd.month());
    const auto d = static_cast<unsigned>(ymd.day());
    const auto h = static_cast<int>(hms.hours().count());
    const auto min = static_cast<int>(hms.minutes().count());
    const auto sec = static_cast<int>(hms.seconds().count());
    char text[40];
    if (style == TTimeStyle::Czech)
        std::snprintf(text, sizeof text, "%u. %u. %d %d:%02d:%02d", d, m, y, h, min, sec);
    else
        std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", y, m, d, h, min, sec);
    return text;
}

std::string LocalTimeText(std::int64_t time, TTimeStyle style)
{
    if (time < kFirstCivilSecond || time > kLastCivilSecond)
        return std::to_string(time);
    const auto t = static_cast<std::time_t>(time);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
        return std::to_string(time);
    return CivilTimeText(time, local.tm_gmtoff, style);
}

std::string LedgerCsv(const TExperienceLedger& ledger, const TTimeText& timeText)
{
    std::string out = "\xEF\xBB\xBF"
                      "Čas,Postava,Událost,Změna zkušenosti,Změna nepřidělené zkušenosti,"
                      "Zkušenost,Nepřidělená zkušenost\r\n";
    out.reserve(out.size() + ledger.Count() * 96);
    for (const TLedgerRow& row : ledger.Rows()) {
        AppendField(out, timeText(row.Time), false);
        out += ',';
        AppendField(out, row.Character, true);
        out += ',';
        AppendField(out, EventText(row), true);
        for (const std::int64_t n : {row.EarnedChange, row.UnassignedChange,
                                     std::int64_t{row.Earned}, std::int64_t{row.Unassigned}}) {
            out += ',';
            out += std::to_string(n);
        }
        out += "\r\n";
    }
    return out;
}

nlohmann::json LedgerToJson(const TExperienceLedger& ledger)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const TLedgerRow& row : ledger.Rows()) {
        nlohmann::json r = {
            {"time", row.Time},
            {"character", row.Character},
            {"event", EventName(row.Event)},
            {"earnedChange", row.EarnedChange},
            {"unassignedChange", row.UnassignedChange},
            {"earned", row.Earned},
            {"unassigned", row.Unassigned},
        };
        if (row.Event == TLedgerEvent::Wound) {
            r["monster"] = row.Monster;
            r["livesTaken"] = row.LivesTaken;
            r["livesBefore"] = row.LivesBefore;
        }
        rows.push_back(std::move(r));
    }
    return {{"version", kLedgerJsonVersion}, {"rows", std::move(rows)}};
}

namespace {

// Reads one row's fields, remembering the first fault.
class TRowReader
{
public:
    TRowReader(const nlohmann::json& row, std::size_t index) : m_row(row), m_index(index) {}

    std::optional<std::int64_t> Integer(const char* key, std::int64_t lowest, std::int64_t highest)
    {
        const auto found = m_row.find(key);
        if (found == m_row.end())
            return Fail(std::string("chybí pole „") + key + "“");
        ++m_used;
        const nlohmann::json& v = *found;
        std::int64_t n = 0;
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return Fail(std::string("pole „") + key + "“ je mimo rozsah");
            n = static_cast<std::int64_t>(u);
        } else if (v.is_number_integer()) {
            n = v.get<std::int64_t>();
        } else {
            return Fail(std::string("pole „") + key + "“ není celé číslo");
        }
        if (n < lowest || n > highest)
            return Fail(std::string("pole „") + key + "“ je mimo rozsah");
        return n;
    }

    std::optional<std::int32_t> Int32(const char* key)
    {
        const auto n = Integer(key, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max());
        return n ? std::optional<std::int32_t>(static_cast<std::int32_t>(*n)) : std::nullopt;
    }

    std::optional<std::string> Text(const char* key)
    {
        const auto found = m_row.find(key);
        if (found == m_row.end())
            return Fail(std::string("chybí pole „") + key + "“");
        ++m_used;
        if (!found->is_string())
            return Fail(std::string("pole „") + key + "“ není text");
        return found->get<std::string>();
    }

    // Every field of the row was read: none unknown.
    bool AllUsed()
    {
        if (m_used != m_row.size())
            Fail("neznámé pole");
        return m_error.empty();
    }

    std::nullopt_t Fail(const std::string& reason)
    {
        if (m_error.empty())
            m_error =
                "Řádek " + std::to_string(m_index + 1) + " deníku zkušeností: " + reason + ".";
        return std::nullopt;
    }

    [[nodiscard]] const std::string& Error() const { return m_error; }

private:
    const nlohmann::json& m_row;
    std::size_t m_index;
    std::size_t m_used = 0;
    std::string m_error;
};

struct TTotals
{
    std::int32_t Earned = 0;
    std::int32_t Unassigned = 0;
    bool Present = false;
};

TLedgerReading Refuse(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

} // namespace

TLedgerReading LedgerFromJson(const nlohmann::json& json)
{
    if (!json.is_object())
        return Refuse("Deník zkušeností není objekt JSON.");
    const auto version = json.find("version");
    if (version == json.end() || !version->is_number_integer() ||
        version->get<std::int64_t>() != kLedgerJsonVersion)
        return Refuse("Deník zkušeností má neznámou verzi.");
    const auto rows = json.find("rows");
    if (rows == json.end() || !rows->is_array())
        return Refuse("Deníku zkušeností chybí řádky.");
    if (json.size() != 2)
        return Refuse("Deník zkušeností má neznámé pole.");

    constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
    TExperienceLedger ledger;
    std::vector<TLedgerRow> read;
    read.reserve(rows->size());
    std::unordered_map<std::string, TTotals> totals;
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const nlohmann::json& r = (*rows)[i];
        TRowReader reader(r, i);
        if (!r.is_object()) {
            reader.Fail("není objekt");
            return Refuse(reader.Error());
        }
        TLedgerRow row;
        const auto time = reader.Integer("time", int64Min, int64Max);
        const auto character = reader.Text("character");
        const auto eventName = reader.Text("event");
        const auto earnedChange = reader.Integer("earnedChange", int64Min, int64Max);
        const auto unassignedChange = reader.Integer("unassignedChange", int64Min, int64Max);
        const auto earned = reader.Int32("earned");
        const auto unassigned = reader.Int32("unassigned");
        if (!reader.Error().empty())
            return Refuse(reader.Error());
        const auto event = EventNamed(*eventName);
        if (!event) {
            reader.Fail("neznámá událost „" + *eventName + "“");
            return Refuse(reader.Error());
        }
        row.Time = *time;
        row.Character = *character;
        row.Event = *event;
        row.EarnedChange = *earnedChange;
        row.UnassignedChange = *unassignedChange;
        row.Earned = *earned;
        row.Unassigned = *unassigned;
        if (row.Event == TLedgerEvent::Wound) {
            const auto monster = reader.Text("monster");
            const auto taken = reader.Int32("livesTaken");
            const auto before = reader.Int32("livesBefore");
            if (!reader.Error().empty())
                return Refuse(reader.Error());
            if (*taken < 0 || *taken > *before) {
                reader.Fail("zranění vzalo víc životů, než nestvůra měla");
                return Refuse(reader.Error());
            }
            row.Monster = *monster;
            row.LivesTaken = *taken;
            row.LivesBefore = *before;
        }
        if (!reader.AllUsed())
            return Refuse(reader.Error());

        TTotals& t = totals[row.Character];
        const bool joins = row.Event == TLedgerEvent::Added;
        if (joins == t.Present) {
            reader.Fail(joins ? "postava přidána podruhé" : "postava není v souboji");
            return Refuse(reader.Error());
        }
        if (row.EarnedChange != std::int64_t{row.Earned} - t.Earned ||
            row.UnassignedChange != std::int64_t{row.Unassigned} - t.Unassigned) {
            reader.Fail("změna nesouhlasí se součty");
            return Refuse(reader.Error());
        }
        if (row.Event == TLedgerEvent::Deleted && (row.Earned != 0 || row.Unassigned != 0)) {
            reader.Fail("smazaná postava si nechala zkušenost");
            return Refuse(reader.Error());
        }
        t = {row.Earned, row.Unassigned, row.Event != TLedgerEvent::Deleted};
        read.push_back(std::move(row));
    }
    ledger.Append(std::move(read));
    return {std::move(ledger), {}};
}

} // namespace mecovnik

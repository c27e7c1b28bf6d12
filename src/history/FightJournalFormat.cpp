#include "history/FightJournalFormat.h"

#include "history/TFightLedger.h"
#include "history/TRosterHistory.h"
#include "roster/RowSplice.h"
#include "roster/TNameOrder.h"
#include "roster/TRosterList.h"
#include "text/Numbers.h"
#include "text/Quoted.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <optional>

namespace mecovnik {

namespace {

constexpr std::array<std::string_view, kRosterSides> kSideWords{"postava", "nestvura"};
constexpr std::size_t kRowsPerRemoveLine = 100;

// The ledger's events as the journal writes them, in TLedgerEvent's order.
constexpr std::array<std::string_view, 7> kEventWords{"zraneni",    "cela",    "cast",   "zvlastni",
                                                      "vynulovani", "pridana", "smazana"};

// Tables for CRC-32 eight bytes at a time ("slicing by 8"): the journal's
// records can be large, and the check runs on every write.
using TCrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

TCrcTables MakeCrcTables()
{
    TCrcTables t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (std::size_t i = 0; i < 256; ++i)
        for (std::size_t k = 1; k < 8; ++k)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    return t;
}

void AppendNumbers(std::string& out, int side, const TObjekt& record)
{
    const TRecordNumbers numbers = NumbersOf(record);
    for (int i = 0; i < NumberCount(static_cast<TRosterSide>(side)); ++i) {
        out += ' ';
        AppendDecimal(out, numbers[static_cast<std::size_t>(i)]);
    }
}

void AppendInsert(std::string& out, int side, int row, const TObjekt& record)
{
    out += kSideWords[static_cast<std::size_t>(side)];
    out += " insert ";
    AppendDecimal(out, row);
    AppendNumbers(out, side, record);
    out += ' ';
    AppendQuoted(out, record.Name, TEscaping::Control);
    out += '\n';
}

void AppendKinds(std::string& out, const std::vector<TKindData>& kinds)
{
    for (const TKindData& kind : kinds) {
        out += "druh ";
        AppendDecimal(out, kind.Level);
        out += ' ';
        AppendDecimal(out, kind.KnockOutRule);
        out += ' ';
        AppendDecimal(out, kind.KillExperience);
        out += ' ';
        AppendQuoted(out, kind.Name, TEscaping::Control);
        out += '\n';
    }
}

void AppendLedgerRow(std::string& out, const TLedgerRow& row)
{
    out += "denik ";
    AppendDecimal(out, row.Time);
    out += ' ';
    out += kEventWords[static_cast<std::size_t>(row.Event)];
    for (const std::int64_t n : {row.EarnedChange, row.UnassignedChange, std::int64_t{row.Earned},
                                 std::int64_t{row.Unassigned}, std::int64_t{row.LivesTaken},
                                 std::int64_t{row.LivesBefore}}) {
        out += ' ';
        AppendDecimal(out, n);
    }
    out += ' ';
    AppendQuoted(out, row.Character, TEscaping::Control);
    out += ' ';
    AppendQuoted(out, row.Monster, TEscaping::Control);
    out += '\n';
}

// The newest count rows of ledger.
void AppendLedgerRows(std::string& out, const TExperienceLedger& ledger, std::size_t count)
{
    count = std::min(count, ledger.Count());
    for (std::size_t i = ledger.Count() - count; i < ledger.Count(); ++i)
        AppendLedgerRow(out, ledger.At(i));
}

void AppendSelection(std::string& out, const TFightSelection& selection)
{
    out += "selection ";
    AppendDecimal(out, selection.Rows[0]);
    out += ' ';
    AppendDecimal(out, selection.Rows[1]);
    out += '\n';
}

// Closes the record that starts at start with its end line.
void AppendEnd(std::string& out, std::size_t start, std::uint64_t sequence)
{
    const std::uint32_t crc = Crc32(std::string_view(out).substr(start));
    out += "end ";
    AppendDecimal(out, static_cast<std::int64_t>(sequence));
    out += ' ';
    AppendHex(out, crc, 8);
    out += '\n';
}

} // namespace

std::uint32_t Crc32(std::string_view bytes)
{
    static const TCrcTables t = MakeCrcTables();
    std::uint32_t c = 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    while (n >= 8) {
        const std::uint32_t lo =
            c ^ (static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                 static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
        c = t[7][lo & 0xFFu] ^ t[6][(lo >> 8) & 0xFFu] ^ t[5][(lo >> 16) & 0xFFu] ^ t[4][lo >> 24] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        p += 8;
        n -= 8;
    }
    while (n-- > 0)
        c = t[0][(c ^ *p++) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string FormatJournal(std::uint64_t sequence, const TRosterList& postavy,
                          const TRosterList& nestvury, const TFightSelection& selection,
                          const std::vector<TKindData>& kinds, const TExperienceLedger* ledger)
{
    std::string out(kJournalHeader);
    out.reserve(64 + 48 * static_cast<std::size_t>(postavy.Count() + nestvury.Count()));
    const std::size_t start = out.size();
    out += "snapshot ";
    AppendDecimal(out, static_cast<std::int64_t>(sequence));
    out += '\n';
    const std::array<const TRosterList*, kRosterSides> lists{&postavy, &nestvury};
    for (int side = 0; side < kRosterSides; ++side)
        for (int row = 0; row < lists[side]->Count(); ++row)
            AppendInsert(out, side, row, *lists[side]->At(row));
    AppendKinds(out, kinds);
    if (ledger)
        AppendLedgerRows(out, *ledger, ledger->Count());
    AppendSelection(out, selection);
    AppendEnd(out, start, sequence);
    return out;
}

std::string FormatChange(std::uint64_t sequence, const TFightChange& change,
                         const TRosterList& postavy, const TRosterList& nestvury,
                         const std::vector<TKindData>& kinds, const TExperienceLedger* ledger,
                         const TLedgerMove* move)
{
    std::string out = "change ";
    AppendDecimal(out, static_cast<std::int64_t>(sequence));
    out += '\n';
    const std::array<const TRosterList*, kRosterSides> lists{&postavy, &nestvury};
    for (int side = 0; side < kRosterSides; ++side) {
        const TRosterChange& c = change.Rosters[side];
        const std::string_view word = kSideWords[static_cast<std::size_t>(side)];
        for (std::size_t i = 0; i < c.Removed.size(); ++i) {
            if (i % kRowsPerRemoveLine == 0) {
                if (i > 0)
                    out += '\n';
                out += word;
                out += " remove";
            }
            out += ' ';
            AppendDecimal(out, c.Removed[i]);
        }
        if (!c.Removed.empty())
            out += '\n';
        for (const int row : c.Inserted)
            AppendInsert(out, side, row, *lists[side]->At(row));
        for (const int row : c.Changed) {
            out += word;
            out += " set ";
            AppendDecimal(out, row);
            AppendNumbers(out, side, *lists[side]->At(row));
            out += '\n';
        }
    }
    AppendKinds(out, kinds);
    if (move && move->Taken > 0) {
        out += "denik zpet ";
        AppendDecimal(out, static_cast<std::int64_t>(move->Taken));
        out += '\n';
    }
    if (move && ledger)
        AppendLedgerRows(out, *ledger, move->Appended);
    AppendSelection(out, change.Selection);
    AppendEnd(out, 0, sequence);
    return out;
}

// ---- reading ----

namespace {

// Splits a line into words; the quoted name, when there is one, is the last.
class TLineReader
{
public:
    explicit TLineReader(std::string_view line) : m_line(line) {}

    [[nodiscard]] std::optional<std::string_view> Word()
    {
        if (m_pos >= m_line.size() || m_line[m_pos] == '"')
            return std::nullopt;
        const std::size_t space = m_line.find(' ', m_pos);
        const std::size_t stop = space == std::string_view::npos ? m_line.size() : space;
        const std::string_view word = m_line.substr(m_pos, stop - m_pos);
        m_pos = space == std::string_view::npos ? m_line.size() : space + 1;
        if (word.empty())
            return std::nullopt; // two spaces, or a space at the end
        return word;
    }

    [[nodiscard]] std::optional<std::int64_t> Number(std::int64_t lowest, std::int64_t highest)
    {
        const auto word = Word();
        if (!word)
            return std::nullopt;
        const auto value = ParseInt64(*word);
        if (!value || *value < lowest || *value > highest)
            return std::nullopt;
        return value;
    }

    // The quoted name that ends the line, or (not last) is followed by a
    // space and more.
    [[nodiscard]] std::optional<std::string> Quoted(bool last = true)
    {
        if (m_pos >= m_line.size() || m_line[m_pos] != '"')
            return std::nullopt;
        std::size_t pos = m_pos;
        auto name = ReadQuoted(m_line, pos, TEscaping::Control);
        if (!name)
            return std::nullopt;
        if (last ? pos != m_line.size() : (pos >= m_line.size() || m_line[pos] != ' '))
            return std::nullopt;
        m_pos = last ? pos : pos + 1;
        return name;
    }

    [[nodiscard]] bool AtEnd() const { return m_pos >= m_line.size(); }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
};

// One record's lines, parsed and checked against the state before it.
struct TRecordOps
{
    bool Snapshot = false;
    std::array<std::vector<int>, kRosterSides> Removed;
    std::array<std::vector<std::pair<int, TRecordData>>, kRosterSides> Inserted;
    std::array<std::vector<std::pair<int, TRecordNumbers>>, kRosterSides> Set;
    std::vector<TKindData> Kinds;
    std::size_t LedgerTaken = 0;
    std::vector<TLedgerRow> LedgerRows;
    TFightSelection Selection;
};

// A ledger row line after its "denik".
std::optional<TLedgerRow> ParseLedgerRow(TLineReader& r, std::string_view first)
{
    TLedgerRow row;
    const auto time = ParseInt64(first);
    const auto event = r.Word();
    if (!time || !event)
        return std::nullopt;
    row.Time = *time;
    const auto word = std::find(kEventWords.begin(), kEventWords.end(), *event);
    if (word == kEventWords.end())
        return std::nullopt;
    row.Event = static_cast<TLedgerEvent>(word - kEventWords.begin());
    constexpr std::int64_t lo32 = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi32 = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t lo64 = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t hi64 = std::numeric_limits<std::int64_t>::max();
    std::array<std::int64_t, 6> n{};
    for (std::size_t i = 0; i < n.size(); ++i) {
        const auto value = i < 2 ? r.Number(lo64, hi64) : r.Number(lo32, hi32);
        if (!value)
            return std::nullopt;
        n[i] = *value;
    }
    row.EarnedChange = n[0];
    row.UnassignedChange = n[1];
    row.Earned = static_cast<std::int32_t>(n[2]);
    row.Unassigned = static_cast<std::int32_t>(n[3]);
    row.LivesTaken = static_cast<std::int32_t>(n[4]);
    row.LivesBefore = static_cast<std::int32_t>(n[5]);
    auto character = r.Quoted(false);
    auto monster = character ? r.Quoted() : std::nullopt;
    if (!monster || !r.AtEnd() || !IsValidUtf8(*character) || !IsValidUtf8(*monster))
        return std::nullopt;
    row.Character = std::move(*character);
    row.Monster = std::move(*monster);
    return row;
}

std::optional<int> SideOf(std::string_view word)
{
    for (int side = 0; side < kRosterSides; ++side)
        if (word == kSideWords[static_cast<std::size_t>(side)])
            return side;
    return std::nullopt;
}

constexpr std::int64_t kMaxRow = std::numeric_limits<int>::max() - 1;

std::optional<std::int32_t> Int32(TLineReader& r)
{
    const auto n = r.Number(std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max());
    if (!n)
        return std::nullopt;
    return static_cast<std::int32_t>(*n);
}

// Parses the lines of a record's body (between its first and its end line);
// kinds only where the version has them.
std::optional<TRecordOps> ParseBody(std::string_view body, bool snapshot, bool withKinds,
                                    bool withLedger)
{
    TRecordOps ops;
    ops.Snapshot = snapshot;
    std::array<int, kRosterSides> phase{0, 0}; // 0 remove, 1 insert, 2 set
    bool selection = false;
    std::size_t pos = 0;
    while (pos < body.size()) {
        const std::size_t eol = body.find('\n', pos);
        const std::string_view line = body.substr(pos, eol - pos);
        pos = eol + 1;
        if (selection)
            return std::nullopt; // the selection is the last line
        TLineReader r(line);
        const auto first = r.Word();
        if (!first)
            return std::nullopt;
        if (*first == "selection") {
            for (int side = 0; side < kRosterSides; ++side) {
                const auto row = r.Number(-1, kMaxRow);
                if (!row)
                    return std::nullopt;
                ops.Selection.Rows[static_cast<std::size_t>(side)] = static_cast<int>(*row);
            }
            if (!r.AtEnd())
                return std::nullopt;
            selection = true;
            continue;
        }
        if (*first == "druh" && withKinds) {
            TKindData kind;
            const auto level = Int32(r);
            const auto rule = level ? Int32(r) : std::nullopt;
            const auto experience = rule ? Int32(r) : std::nullopt;
            auto name = experience ? r.Quoted() : std::nullopt;
            // A zero would end the name where the configuration keeps it.
            if (!name || !r.AtEnd() || !IsValidUtf8(*name) || name->find('\0') != std::string::npos)
                return std::nullopt;
            ops.Kinds.push_back({std::move(*name), *level, *rule, *experience});
            continue;
        }
        if (*first == "denik" && withLedger) {
            const auto second = r.Word();
            if (!second)
                return std::nullopt;
            if (*second == "zpet") {
                // Taken back before anything is appended, once a record.
                const auto n = r.Number(1, std::numeric_limits<std::int64_t>::max());
                if (!n || !r.AtEnd() || snapshot || ops.LedgerTaken > 0 || !ops.LedgerRows.empty())
                    return std::nullopt;
                ops.LedgerTaken = static_cast<std::size_t>(*n);
                continue;
            }
            auto row = ParseLedgerRow(r, *second);
            if (!row)
                return std::nullopt;
            ops.LedgerRows.push_back(std::move(*row));
            continue;
        }
        const auto side = SideOf(*first);
        const auto op = r.Word();
        if (!side || !op)
            return std::nullopt;
        const auto s = static_cast<std::size_t>(*side);
        const int wanted = *op == "remove" ? 0 : *op == "insert" ? 1 : *op == "set" ? 2 : -1;
        if (wanted < 0 || wanted < phase[s])
            return std::nullopt;
        phase[s] = wanted;
        if (wanted == 0) {
            while (!r.AtEnd()) {
                const auto row = r.Number(0, kMaxRow);
                if (!row)
                    return std::nullopt;
                ops.Removed[s].push_back(static_cast<int>(*row));
            }
            continue;
        }
        const auto row = r.Number(0, kMaxRow);
        if (!row)
            return std::nullopt;
        TRecordNumbers numbers{};
        for (int i = 0; i < NumberCount(static_cast<TRosterSide>(*side)); ++i) {
            const auto n = Int32(r);
            if (!n)
                return std::nullopt;
            numbers[static_cast<std::size_t>(i)] = *n;
        }
        if (wanted == 2) {
            if (!r.AtEnd())
                return std::nullopt;
            ops.Set[s].emplace_back(static_cast<int>(*row), numbers);
            continue;
        }
        auto name = r.Quoted();
        if (!name || !r.AtEnd() || !IsValidUtf8(*name))
            return std::nullopt;
        ops.Inserted[s].emplace_back(static_cast<int>(*row),
                                     TRecordData{std::move(*name), numbers});
    }
    if (!selection)
        return std::nullopt;
    return ops;
}

// The kinds of a fight by name, in the name order: where each one is.
class TKindIndex
{
public:
    explicit TKindIndex(const TNameOrder& order) : m_places(TLess{&order}) {}

    void Clear() { m_places.clear(); }

    // A kind of a name already there gives it its numbers; another is added.
    void Enter(std::vector<TKindData>& kinds, TKindData kind)
    {
        const auto [it, added] = m_places.try_emplace(kind.Name, kinds.size());
        if (added) {
            kinds.push_back(std::move(kind));
            return;
        }
        TKindData& known = kinds[it->second];
        known.Level = kind.Level;
        known.KnockOutRule = kind.KnockOutRule;
        known.KillExperience = kind.KillExperience;
    }

private:
    struct TLess
    {
        const TNameOrder* Order;
        bool operator()(const std::string& a, const std::string& b) const
        {
            return Order->Compare(a, b) < 0;
        }
    };
    std::map<std::string, std::size_t, TLess> m_places;
};

// Applies a parsed record to the fight; false when it does not fit.
bool Apply(TRecordOps& ops, TFightData& fight, TExperienceLedger& ledger, TKindIndex& kinds,
           std::uint64_t& work)
{
    if (ops.Snapshot) {
        fight = {};
        ledger.Clear();
        kinds.Clear();
    }
    if (ops.LedgerTaken > ledger.Count())
        return false;
    (void)ledger.TakeLast(ops.LedgerTaken);
    work += ops.LedgerTaken;
    ledger.Append(std::move(ops.LedgerRows));
    for (int side = 0; side < kRosterSides; ++side) {
        std::vector<TRecordData>& rows = fight.Rosters[static_cast<std::size_t>(side)];
        auto& removed = ops.Removed[static_cast<std::size_t>(side)];
        auto& inserted = ops.Inserted[static_cast<std::size_t>(side)];
        if (!AscendingRowsBelow(removed, rows.size()))
            return false;
        const std::size_t size = rows.size() - removed.size() + inserted.size();
        int previous = -1;
        for (const auto& [row, data] : inserted) {
            if (row <= previous || static_cast<std::size_t>(row) >= size)
                return false;
            previous = row;
        }
        if (!removed.empty() || !inserted.empty())
            work += rows.size() + inserted.size();
        if (!removed.empty())
            (void)TakeAt(rows, removed);
        PutAt(rows, std::move(inserted));
        for (const auto& [row, numbers] : ops.Set[static_cast<std::size_t>(side)]) {
            if (static_cast<std::size_t>(row) >= rows.size())
                return false;
            rows[static_cast<std::size_t>(row)].Numbers = numbers;
        }
    }
    for (int side = 0; side < kRosterSides; ++side)
        if (ops.Selection.Rows[static_cast<std::size_t>(side)] >=
            static_cast<int>(fight.Rosters[static_cast<std::size_t>(side)].size()))
            return false;
    for (TKindData& kind : ops.Kinds)
        kinds.Enter(fight.Kinds, std::move(kind));
    fight.Selection = ops.Selection;
    return true;
}

bool NamesUnique(const std::vector<TRecordData>& rows, const TNameOrder& order)
{
    std::vector<const std::string*> names;
    names.reserve(rows.size());
    for (const TRecordData& row : rows)
        names.push_back(&row.Name);
    std::sort(names.begin(), names.end(), [&order](const std::string* a, const std::string* b) {
        return order.Compare(*a, *b) < 0;
    });
    for (std::size_t i = 1; i < names.size(); ++i)
        if (order.Compare(*names[i - 1], *names[i]) == 0)
            return false;
    return true;
}

// The record's check: exactly eight hex digits.
std::optional<std::uint32_t> Hex32(std::string_view word)
{
    return word.size() == 8 ? ParseHex32(word) : std::nullopt;
}

} // namespace

TJournalReading ReadJournal(std::string_view bytes, const TNameOrder& order)
{
    TJournalReading reading;
    const auto damaged = [&reading] {
        reading = {};
        reading.Status = TJournalReading::TStatus::Damaged;
        return reading;
    };
    if (bytes.size() > kMaxJournalBytes)
        return damaged();
    const bool version1 = bytes.starts_with(kJournalHeaderVersion1);
    const bool version2 = bytes.starts_with(kJournalHeaderVersion2);
    if (!version1 && !version2 && !bytes.starts_with(kJournalHeader)) {
        // A header cut short is a journal whose first write did not finish.
        if (kJournalHeader.starts_with(bytes) || kJournalHeaderVersion1.starts_with(bytes) ||
            kJournalHeaderVersion2.starts_with(bytes)) {
            reading.TornTail = !bytes.empty();
            return reading;
        }
        return damaged();
    }
    static_assert(kJournalHeader.size() == kJournalHeaderVersion1.size());
    static_assert(kJournalHeader.size() == kJournalHeaderVersion2.size());
    // The replay's work: rows moved by changes that add or remove rows. A
    // journal this program writes stays far below this bound (it is
    // compacted after a few hundred such changes); one that does not is not
    // ours, and must not hold up the start.
    const std::uint64_t budget = 64u * static_cast<std::uint64_t>(bytes.size()) + 1'000'000u;
    std::uint64_t work = 0;
    TFightData fight;
    TExperienceLedger ledger;
    TKindIndex kinds(order);
    std::size_t pos = kJournalHeader.size();
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        const std::size_t firstEnd = bytes.find('\n', start);
        if (firstEnd == std::string_view::npos) {
            reading.TornTail = true;
            break;
        }
        // Find the end line.
        std::size_t line = firstEnd + 1;
        std::size_t endLine = std::string_view::npos;
        std::size_t endLineStop = std::string_view::npos;
        while (line < bytes.size()) {
            const std::size_t eol = bytes.find('\n', line);
            if (eol == std::string_view::npos)
                break;
            if (bytes.substr(line, 4) == "end ") {
                endLine = line;
                endLineStop = eol;
                break;
            }
            line = eol + 1;
        }
        if (endLine == std::string_view::npos) {
            reading.TornTail = true; // no complete end line before the bytes ran out
            break;
        }
        const bool last = endLineStop + 1 == bytes.size();
        const auto bad = [&]() {
            if (last) {
                reading.TornTail = true;
                return true;
            }
            return false;
        };

        TLineReader head(bytes.substr(start, firstEnd - start));
        const auto kind = head.Word();
        const auto sequence = head.Number(1, std::numeric_limits<std::int64_t>::max());
        // Every write starts with a whole first line: one that is not a
        // record's is no torn write.
        if (!kind || (*kind != "snapshot" && *kind != "change") || !sequence || !head.AtEnd())
            return damaged();
        TLineReader end(bytes.substr(endLine, endLineStop - endLine));
        (void)end.Word();
        const auto endSequence = end.Number(1, std::numeric_limits<std::int64_t>::max());
        const auto crcWord = end.Word();
        const auto crc = crcWord ? Hex32(*crcWord) : std::nullopt;
        const bool framed = endSequence && *endSequence == *sequence && crc && end.AtEnd() &&
                            *crc == Crc32(bytes.substr(start, endLine - start));
        if (!framed) {
            if (bad())
                break;
            return damaged();
        }
        // A complete, intact record: from here on it must make sense.
        const bool snapshot = *kind == "snapshot";
        const auto seq = static_cast<std::uint64_t>(*sequence);
        if (snapshot != (reading.Records == 0))
            return damaged();
        if (reading.Records > 0 && seq != reading.LastSequence + 1)
            return damaged();
        auto ops = ParseBody(bytes.substr(firstEnd + 1, endLine - firstEnd - 1), snapshot,
                             !version1, !version1 && !version2);
        if (!ops || !Apply(*ops, fight, ledger, kinds, work) || work > budget)
            return damaged();
        reading.LastSequence = seq;
        ++reading.Records;
        pos = endLineStop + 1;
    }
    for (const auto& rows : fight.Rosters)
        if (!NamesUnique(rows, order))
            return damaged();
    if (reading.Records == 0)
        return reading;
    reading.Status = TJournalReading::TStatus::Fight;
    reading.Fight = std::move(fight);
    reading.Ledger = std::move(ledger);
    return reading;
}

} // namespace mecovnik

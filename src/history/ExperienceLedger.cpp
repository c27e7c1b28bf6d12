#include "history/ExperienceLedger.h"

#include "history/TRosterHistory.h"
#include "roster/TRosterList.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace mecovnik {

namespace {

constexpr std::size_t kExperience = 3;
constexpr std::size_t kUnassigned = 4;

std::optional<TRecordNumbers> NumbersAt(const TRosterList& list, int row)
{
    const TObjekt* record = list.At(row);
    if (record == nullptr)
        return std::nullopt;
    return NumbersOf(*record);
}

} // namespace

TLedgerCommand WoundCommand(std::string monster, std::int32_t livesBefore, std::int32_t livesAfter)
{
    TLedgerCommand command;
    command.Event = TLedgerEvent::Wound;
    command.Monster = std::move(monster);
    command.LivesBefore = livesBefore;
    command.LivesTaken = SaturateToInt32(std::int64_t{livesBefore} - livesAfter);
    return command;
}

std::vector<TCharacterChange> CharacterChanges(const std::vector<TRecordData>& before,
                                               const TFightChange& change,
                                               const TRosterList& postavyAfter)
{
    std::vector<TCharacterChange> out;
    if (change.Whole) {
        // The rows cannot be walked: tell the characters apart by name.
        std::unordered_map<std::string, std::size_t> known;
        known.reserve(before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            known.emplace(before[i].Name, i);
        std::vector<bool> kept(before.size(), false);
        std::vector<TCharacterChange> after;
        for (int row = 0; row < postavyAfter.Count(); ++row) {
            const TObjekt& record = *postavyAfter.At(row);
            const TRecordNumbers now = NumbersOf(record);
            const auto found = known.find(record.Name);
            if (found == known.end()) {
                after.push_back({record.Name, std::nullopt, now});
                continue;
            }
            kept[found->second] = true;
            if (before[found->second].Numbers != now)
                after.push_back({record.Name, before[found->second].Numbers, now});
        }
        for (std::size_t i = 0; i < before.size(); ++i)
            if (!kept[i])
                out.push_back({before[i].Name, before[i].Numbers, std::nullopt});
        std::move(after.begin(), after.end(), std::back_inserter(out));
        return out;
    }

    const TRosterChange& c = change.Rosters[kPostavy];
    out.reserve(c.Removed.size() + c.Inserted.size() + c.Changed.size());
    for (const int row : c.Removed)
        if (row >= 0 && static_cast<std::size_t>(row) < before.size())
            out.push_back({before[static_cast<std::size_t>(row)].Name,
                           before[static_cast<std::size_t>(row)].Numbers, std::nullopt});

    // Kept records keep their order, so the k-th kept row after is the k-th
    // kept row before: both walks only step over the rows that came or went.
    std::size_t ins = 0; // inserted rows passed
    std::size_t rem = 0; // removed rows passed
    std::size_t chg = 0;
    while (ins < c.Inserted.size() || chg < c.Changed.size()) {
        const bool insertedNext = chg == c.Changed.size() ||
                                  (ins < c.Inserted.size() && c.Inserted[ins] < c.Changed[chg]);
        if (insertedNext) {
            const int row = c.Inserted[ins++];
            if (auto now = NumbersAt(postavyAfter, row))
                out.push_back({postavyAfter.At(row)->Name, std::nullopt, *now});
            continue;
        }
        const int row = c.Changed[chg++];
        const auto now = NumbersAt(postavyAfter, row);
        if (!now)
            continue;
        const std::size_t kept = static_cast<std::size_t>(row) - ins;
        while (rem < c.Removed.size() && static_cast<std::size_t>(c.Removed[rem]) <= kept + rem)
            ++rem;
        const std::size_t was = kept + rem;
        if (was < before.size())
            out.push_back({postavyAfter.At(row)->Name, before[was].Numbers, *now});
    }
    return out;
}

std::vector<TLedgerRow> MakeLedgerRows(const TLedgerCommand& command,
                                       std::span<const TCharacterChange> changes, std::int64_t time)
{
    std::vector<TLedgerRow> rows;
    for (const TCharacterChange& change : changes) {
        if (!change.Before && !change.After)
            continue;
        TLedgerRow row;
        row.Time = time;
        row.Character = change.Name;
        const TRecordNumbers zero{};
        const TRecordNumbers& was = change.Before ? *change.Before : zero;
        const TRecordNumbers& now = change.After ? *change.After : zero;
        row.EarnedChange = std::int64_t{now[kExperience]} - was[kExperience];
        row.UnassignedChange = std::int64_t{now[kUnassigned]} - was[kUnassigned];
        row.Earned = now[kExperience];
        row.Unassigned = now[kUnassigned];
        if (!change.Before) {
            row.Event = TLedgerEvent::Added;
        } else if (!change.After) {
            row.Event = TLedgerEvent::Deleted;
        } else {
            if (row.EarnedChange == 0 && row.UnassignedChange == 0)
                continue;
            row.Event = command.Event;
            if (command.Event == TLedgerEvent::Wound) {
                row.Monster = command.Monster;
                row.LivesTaken = command.LivesTaken;
                row.LivesBefore = command.LivesBefore;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

const char* LivesWord(std::int64_t n)
{
    if (n == 1)
        return "život";
    if (n >= 2 && n <= 4)
        return "životy";
    return "životů";
}

std::string EventText(const TLedgerRow& row)
{
    switch (row.Event) {
    case TLedgerEvent::Wound:
        return "Zranění: " + row.Monster + ", " + std::to_string(row.LivesTaken) + " " +
               LivesWord(row.LivesTaken) + " z " + std::to_string(row.LivesBefore);
    case TLedgerEvent::HandOverAll:
        return "Předána celá zkušenost";
    case TLedgerEvent::HandOverPart:
        return "Předána část zkušenosti";
    case TLedgerEvent::Special:
        return "Zvláštní zkušenost";
    case TLedgerEvent::Reset:
        return "Vynulována zkušenost";
    case TLedgerEvent::Added:
        return "Postava přidána";
    case TLedgerEvent::Deleted:
        return "Postava smazána";
    }
    return {};
}

std::size_t TExperienceLedger::Append(std::vector<TLedgerRow> rows)
{
    const std::size_t n = rows.size();
    std::move(rows.begin(), rows.end(), std::back_inserter(m_rows));
    return n;
}

std::vector<TLedgerRow> TExperienceLedger::TakeLast(std::size_t n)
{
    n = std::min(n, m_rows.size());
    const auto first = m_rows.end() - static_cast<std::ptrdiff_t>(n);
    std::vector<TLedgerRow> taken(std::make_move_iterator(first),
                                  std::make_move_iterator(m_rows.end()));
    m_rows.erase(first, m_rows.end());
    return taken;
}

void TExperienceLedger::PutBack(std::vector<TLedgerRow> rows)
{
    Append(std::move(rows));
}

std::vector<TLedgerSummary> TExperienceLedger::Summary() const
{
    std::vector<TLedgerSummary> summary;
    std::unordered_map<std::string_view, std::size_t> index;
    for (const TLedgerRow& row : m_rows) {
        auto [at, fresh] = index.try_emplace(row.Character, summary.size());
        if (fresh) {
            summary.push_back({});
            summary.back().Character = row.Character;
        }
        TLedgerSummary& s = summary[at->second];
        s.Earned += row.EarnedChange;
        s.NotHandedOver += row.UnassignedChange;
        s.Present = row.Event != TLedgerEvent::Deleted;
    }
    for (TLedgerSummary& s : summary)
        s.HandedOver = s.Earned - s.NotHandedOver;
    return summary;
}

bool LedgerAgrees(const TExperienceLedger& ledger, const std::vector<TRecordData>& characters)
{
    std::unordered_map<std::string_view, const TRecordNumbers*> roster;
    for (const TRecordData& c : characters)
        roster.emplace(c.Name, &c.Numbers);
    if (roster.size() != characters.size())
        return false;
    std::size_t present = 0;
    for (const TLedgerSummary& s : ledger.Summary()) {
        if (!s.Present)
            continue;
        ++present;
        const auto found = roster.find(s.Character);
        if (found == roster.end() || s.Earned != (*found->second)[kExperience] ||
            s.NotHandedOver != (*found->second)[kUnassigned])
            return false;
    }
    return present == characters.size();
}

} // namespace mecovnik

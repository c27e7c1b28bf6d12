#pragma once

#include "history/ExperienceLedger.h"
#include "history/FightState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

class TNameOrder;
class TRosterList;
struct TFightChange;
struct TLedgerMove;

// The fight's journal, a readable text of LF-ended lines:
//
//   mecovnik-fight-journal 3
//   snapshot 1
//   postava insert 0 42 50 5 149 0 "Aragorn"
//   nestvura insert 0 17 17 2 150 3 2 "Skřet"
//   druh 3 2 150 "Skřet"
//   selection 0 -1
//   end 1 5d3a1f0c
//   change 2
//   nestvura remove 0
//   postava set 0 40 50 5 149 0
//   denik 1714590000 zraneni 44 44 44 44 5 17 "Aragorn" "Skřet"
//   selection 0 -1
//   end 2 0b1c2d3e
//
// The first line names the format and its version. Then come records, each
// from its "snapshot" or "change" line to its "end" line, which repeats the
// record's number (one more than the record before) and carries the CRC-32 of
// the record's lines before it. A snapshot describes the whole fight and is
// always the first record; each change is applied to the state before it:
// per roster, the rows removed (rows of the state before, ascending), then the
// records inserted (rows of the state after, ascending, with all numbers and
// the quoted name), then the rows whose numbers were set; then the monster
// kinds ("druh": Level, KnockOutRule, KillExperience and the quoted name) that
// were entered or changed, where a kind whose name equals one before in the
// name order gives it its numbers (a snapshot lists every kind the
// configuration does not hold yet); then the experience ledger: "denik zpet N"
// takes the newest N rows off (an undo), and each "denik" row line appends a
// row (Time, the event's word, EarnedChange, UnassignedChange, Earned,
// Unassigned, LivesTaken, LivesBefore, the quoted character and monster; a
// snapshot lists every row); last the selected rows of both rosters.
// Names are UTF-8 between quotes, with \\, \", \n, \r, \t and \xHH escapes; a
// kind's name never holds a zero. Numbers: characters carry Lives, MaxLives,
// KnockOut, Experience, UnassignedExperience; monsters Lives, MaxLives,
// KnockOut, KillExperience, Level, KnockOutRule.
//
// Version 2 is the same without the ledger, version 1 without kinds and
// ledger; both are still read.

inline constexpr std::string_view kJournalHeader = "mecovnik-fight-journal 3\n";
inline constexpr std::string_view kJournalHeaderVersion2 = "mecovnik-fight-journal 2\n";
inline constexpr std::string_view kJournalHeaderVersion1 = "mecovnik-fight-journal 1\n";

// The journal's largest size; a larger file counts as damaged.
inline constexpr std::size_t kMaxJournalBytes = 64u * 1024u * 1024u;

// CRC-32 (the polynomial of zip and PNG) of bytes.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes);

// A whole journal: the header and one snapshot record numbered sequence,
// with the kinds the configuration does not hold yet and every row of the
// ledger (none when nullptr).
[[nodiscard]] std::string FormatJournal(std::uint64_t sequence, const TRosterList& postavy,
                                        const TRosterList& nestvury,
                                        const TFightSelection& selection,
                                        const std::vector<TKindData>& kinds = {},
                                        const TExperienceLedger* ledger = nullptr);

// One change record numbered sequence, with the records and numbers taken
// from the rosters as they are after the change, and the kinds entered or
// changed since the record before, and the ledger's move (its appended rows
// are the newest of ledger, as it is after the change). A move that clears
// the ledger belongs in a snapshot, not here: its rows are written as
// appended.
[[nodiscard]] std::string FormatChange(std::uint64_t sequence, const TFightChange& change,
                                       const TRosterList& postavy, const TRosterList& nestvury,
                                       const std::vector<TKindData>& kinds = {},
                                       const TExperienceLedger* ledger = nullptr,
                                       const TLedgerMove* move = nullptr);

// What a journal left by an earlier run holds.
struct TJournalReading
{
    enum class TStatus
    {
        NoFight, // no complete record: nothing to offer
        Fight,   // Fight holds the state after the last complete record
        Damaged, // not a journal this program can trust
    };
    TStatus Status = TStatus::NoFight;
    TFightData Fight;
    // The experience ledger after the last complete record; empty for a
    // journal of version 1 or 2.
    TExperienceLedger Ledger;
    std::uint64_t LastSequence = 0;
    std::size_t Records = 0; // complete records read
    bool TornTail = false;   // an unfinished last record was left out
};

// Reads a journal of any version. An unfinished or garbled last record
// (the write that a crash cut short) is left out; anything else out of order
// makes the journal damaged: another header, a bad record before the last, a
// record that does not fit the state before it, numbers out of the 32-bit
// range, a name that is not UTF-8, a kind's name with a zero, a kind in a
// version 1 journal, a ledger line before version 3, a ledger row that
// is not UTF-8 or takes back more rows than there are, two names in one roster that are equal in
// order, a selected row outside its roster. Kinds come in the order they first appear. Never reads
// beyond bytes, and its work grows with their size only.
[[nodiscard]] TJournalReading ReadJournal(std::string_view bytes, const TNameOrder& order);

} // namespace mecovnik

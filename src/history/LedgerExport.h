#pragma once

#include "history/ExperienceLedger.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace mecovnik {

// Turns a time (seconds since the epoch) into the text a person reads.
using TTimeText = std::function<std::string(std::int64_t)>;

// How a time is written: for files other programs read (CSV), or for a
// person reading Czech (the ledger's window and pages).
enum class TTimeStyle
{
    Iso,   // "2024-05-01 09:05:00"
    Czech, // "1. 5. 2024 9:05:00"
};

// Time moved by offset seconds (a zone's offset from UTC) in style; the plain
// decimal seconds for a time outside the years 1 to 9999.
[[nodiscard]] std::string CivilTimeText(std::int64_t time, std::int64_t offset,
                                        TTimeStyle style = TTimeStyle::Iso);

// CivilTimeText in the local time zone of the moment itself (summer time
// included).
[[nodiscard]] std::string LocalTimeText(std::int64_t time, TTimeStyle style = TTimeStyle::Iso);

// The ledger as CSV a spreadsheet opens with its Czech letters: UTF-8 with a
// byte order mark, CRLF line ends, a header row "Čas", "Postava", "Událost",
// "Změna zkušenosti", "Změna nepřidělené zkušenosti", "Zkušenost",
// "Nepřidělená zkušenost", then one line a row, oldest first. Fields holding
// a comma, a quote or a line break are quoted with quotes doubled (RFC 4180).
// A text field that a spreadsheet would take for a formula (starting with =,
// +, -, @, a tab or CR) gets a leading apostrophe, so a name never runs as one.
[[nodiscard]] std::string LedgerCsv(const TExperienceLedger& ledger, const TTimeText& timeText);

// The version of the ledger's JSON that LedgerToJson writes and
// LedgerFromJson reads.
inline constexpr int kLedgerJsonVersion = 1;

// The ledger for the fight's file:
//   {"version": 1, "rows": [{"time": 1714590000, "character": "Aragorn",
//     "event": "wound", "monster": "Skřet [2]", "livesTaken": 5,
//     "livesBefore": 8, "earnedChange": 44, "unassignedChange": 44,
//     "earned": 44, "unassigned": 44}, ...]}
// Events: "wound", "handOverAll", "handOverPart", "special", "reset",
// "added", "deleted"; only wounds carry the three monster fields. Texts are
// kept as they are: dump with nlohmann::json::error_handler_t::replace, so a
// name that is not valid UTF-8 is written with U+FFFD instead of failing.
[[nodiscard]] nlohmann::json LedgerToJson(const TExperienceLedger& ledger);

// The outcome of reading a ledger: the ledger, or none and a Czech reason.
struct TLedgerReading
{
    std::optional<TExperienceLedger> Ledger;
    std::string Error;
};

// Reads what LedgerToJson wrote. Refuses the whole ledger, never keeping a
// part of it, when anything is off: another version, a missing, unknown or
// mistyped field, a number outside its range, an unknown event, a wound
// taking more lives than the monster had, or rows that do not add up (each
// row's changes are its totals less the character's totals before it; a
// character joins only while absent, changes only while present, and leaves
// with nothing).
[[nodiscard]] TLedgerReading LedgerFromJson(const nlohmann::json& json);

} // namespace mecovnik

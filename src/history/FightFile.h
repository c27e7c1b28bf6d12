#pragma once

#include "history/ExperienceLedger.h"
#include "history/FightState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mecovnik {

class TNameOrder;

// A fight file (".souboj"): pretty-printed UTF-8 JSON, keys in a fixed order.
//
//   {
//     "format": "mecovnik-souboj",
//     "verze": 2,
//     "postavy": [ { "jmeno", "zivoty", "max_zivoty", "vyrazeni", "zkusenost",
//                    "nepridelena_zkusenost" }, ... ],
//     "nestvury": [ { "jmeno", "zivoty", "max_zivoty", "vyrazeni",
//                     "zkusenost_za_zabiti", "uroven", "pravidlo_vyrazeni" }, ... ],
//     "vybrano": { "postava": row or null, "nestvura": row or null },
//     "denik": [ { "character", "earned", "earnedChange", "event", ... }, ... ]
//              (optional)
//   }
//
// Rows are in roster order; a selection is a row of the file's list. Every
// key but "denik" is required; keys this version does not know are ignored.
// "denik" is the experience ledger's rows as LedgerToJson writes them
// (LedgerExport.h); a version 1 file's "denik" (which no program wrote) is
// ignored.
// docs/fight-file.md describes the format and the ranges of the values.

inline constexpr std::string_view kFightFileFormat = "mecovnik-souboj";
inline constexpr std::int64_t kFightFileVersion = 2;
inline constexpr std::string_view kFightFileExtension = ".souboj";

// The limits of what is read: a larger file, a longer roster, more JSON
// values in all or deeper nesting is refused as too large, before it can
// take the memory or the time of the program.
inline constexpr std::size_t kMaxFightFileBytes = 64u * 1024u * 1024u;
inline constexpr std::size_t kMaxFightFileCombatants = 100'000; // in each roster
inline constexpr std::size_t kMaxFightFileValues = 2'000'000;
inline constexpr int kMaxFightFileDepth = 32;

// A fight as a file holds it.
struct TFightFile
{
    TFightData Fight;
    // The experience ledger ("denik"); none for a file without one.
    std::optional<TExperienceLedger> Ledger;
    friend bool operator==(const TFightFile&, const TFightFile&) = default;
};

// Why a file could not be read.
enum class TFightFileError
{
    None,
    TooLarge,         // over a limit above
    NotUtf8,          // bytes that are not UTF-8 text (Offset: the first)
    NotJson,          // not JSON (Offset: where the syntax broke)
    NotFightFile,     // JSON, but not an object with "format": "mecovnik-souboj"
    NewerVersion,     // "verze" above the one this program writes
    MissingValue,     // a required key is absent (Where)
    WrongType,        // a value of the wrong type: a number that is no whole
                      // number, a string where a number belongs... (Where)
    DuplicateName,    // two names of one roster equal in its order (Where: the later)
    SelectionOutside, // a selected row that the roster does not have (Where)
    BadLedger,        // the ledger is damaged or does not tell the characters'
                      // experience (Where "/denik", Reason)
};

// What reading a file gave: the whole fight, or an error and nothing else.
struct TFightFileReading
{
    TFightFileError Error = TFightFileError::None;
    // The value at fault as a JSON pointer ("/postavy/3/zivoty"); empty when
    // the fault is the file as a whole.
    std::string Where;
    // For NotUtf8 and NotJson: the byte (from 0) where the fault was found;
    // npos for a number beyond any floating-point number, which the JSON
    // parser refuses without saying where.
    std::size_t Offset = 0;
    // How many numbers lay outside their range and were brought into it.
    std::size_t Clamped = 0;
    // For BadLedger: why, in Czech.
    std::string Reason;
    TFightFile File; // empty unless Error is None
};

// The text of a fight file: the rosters in their row order with every number,
// the selections, and the ledger when there is one. A name with bytes that
// are not UTF-8 (the windows never make one) is written with U+FFFD in their
// place, a selection outside its roster as none. Nothing (nullopt) for a fight beyond the limits
// above, whose file could not be opened again.
[[nodiscard]] std::optional<std::string> FormatFightFile(const TFightFile& file);

// Reads a fight file. Gives the whole fight or an error and an empty fight,
// never a part. Numbers outside their range are clamped as the dialogs clamp
// them (docs/fight-file.md gives each range); names are taken as they are,
// the empty name included, and two names of one roster that order equally
// are refused; so is a ledger that LedgerFromJson refuses or whose summary
// is not the characters' experience (LedgerAgrees). Work and memory grow with the size of bytes
// only, within the limits above.
[[nodiscard]] TFightFileReading ReadFightFile(std::string_view bytes, const TNameOrder& order);

} // namespace mecovnik

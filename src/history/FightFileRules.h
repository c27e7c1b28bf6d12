#pragma once

#include "history/FightState.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

class TRosterList;

// Replaces both rosters with a fight's records (opening a file, a new fight
// with an empty one). The lists order the records by their own name order;
// a record whose name equals one placed before it is left out. Returns the
// rows that the fight's selections fall on in the lists, -1 for none.
TFightSelection ReplaceFight(TRosterList& postavy, TRosterList& nestvury, const TFightData& fight);

// What adding a file's fight to the current one did.
struct TAddedFromFile
{
    // The names under which records joined, in the file's order; a monster's
    // may carry a number the file's did not.
    std::array<std::vector<std::string>, kRosterSides> Added;
    // The file's characters left out because the roster has a character of
    // that name (ignoring case); the caller names them all in one message.
    std::vector<std::string> SkippedCharacters;
    // The file's monsters left out because no number was free for their name.
    std::vector<std::string> SkippedMonsters;
};

// Adds a file's records to the rosters, in the file's order, with all their
// numbers. A character whose name the roster already has is skipped, as the
// roster refuses a new character of a taken name; a monster whose name is
// taken joins under the name the monster roster gives a new monster
// (UniqueName), so later records of the file are numbered after earlier ones.
// The file's selections are not used.
TAddedFromFile AddFightFromFile(TRosterList& postavy, TRosterList& nestvury,
                                const TFightData& file);

// How many fight files the recent list keeps.
inline constexpr std::size_t kMaxRecentFights = 8;

// The recent list after opening or saving path: path first, its earlier entry
// gone (paths compared byte for byte, as given), then the others newest
// first; duplicates and empty paths of the old list are dropped, and at most
// kMaxRecentFights are kept. An empty path leaves the list otherwise alike.
[[nodiscard]] std::vector<std::string> WithRecentFight(const std::vector<std::string>& recent,
                                                       const std::string& path);

// The recent list without path (a file that could not be opened).
[[nodiscard]] std::vector<std::string> WithoutRecentFight(const std::vector<std::string>& recent,
                                                          const std::string& path);

// The text shown for each path of the recent list: its file name (the part
// after the last '/'), or the whole path where another entry has the same
// file name, so that no two items look alike.
[[nodiscard]] std::vector<std::string> RecentFightTexts(const std::vector<std::string>& recent);

// The menu caption of the recent list's item at index (from 0): "&1 " to
// "&8 " (the number of a tenth item and beyond gets no '&') and the text. Every '&' of the text is
// doubled so that it shows as itself and takes no access key, and each control character (a tab
// would start the shortcut column) shows as a space.
[[nodiscard]] std::string RecentFightCaption(std::size_t index, std::string_view text);

} // namespace mecovnik

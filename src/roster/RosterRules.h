#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mecovnik {

class TNameOrder;
class TObjekt;
class TRosterList;

// The name a new monster joins under: the name itself when no row carries it
// (ignoring case), otherwise the name followed by " [n]" with the first free
// n = 1, 2, 3... The name itself is never interpreted, only the suffix is made.
// Returns the name unchanged in the unreachable case that every number is taken.
[[nodiscard]] std::string UniqueName(const TRosterList& rows, const std::string& name);

// The number n of a name "<base> [n]" whose suffix is written as the roster
// writes it (no sign, no leading zero), with base set; 0 for any other name.
[[nodiscard]] std::int64_t NumberedNameSuffix(std::string_view name, std::string_view& base);

// The order of a roster's rows: names compared in order, except that a name
// "<base> [n]" (as NumberedNameSuffix reads it) stands as its base followed by
// the number n, so "Krysa [2]" comes before "Krysa [10]" and both after
// "Krysa". Names that order compares equal compare equal here too, unless
// their numbers are written differently; <0, 0 or >0.
[[nodiscard]] int CompareRosterNames(const TNameOrder& order, std::string_view a,
                                     std::string_view b);

// The line of the wound dialog that names who wounds whom and the monster's
// lives: "Aragorn zraňuje nestvůru Skřet [2] (5 z 8 životů)" ("z 1 života"
// for a single life); without a character "Zraňujete nestvůru Skřet [2] ...".
[[nodiscard]] std::string WoundLine(std::string_view character, std::string_view monster,
                                    std::int32_t lives, std::int32_t maxLives);

// Which monsters a group deletion removes.
enum class TDeleteMode
{
    All = 0,
    Dead = 1,
    DeadAndKnockedOut = 2,
};

// Whether a record belongs to the group: every record for All, Lives <= 0 for
// Dead, Lives <= KnockOut for DeadAndKnockedOut.
[[nodiscard]] bool BelongsToGroup(const TObjekt& record, TDeleteMode mode);

// The group's words in the question "Opravdu chcete smazat %s nestvůry?";
// empty for a mode outside the three.
[[nodiscard]] std::string_view GroupWords(int mode);

} // namespace mecovnik

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mecovnik {

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

#include "roster/RosterRules.h"

#include "roster/TObjekt.h"
#include "roster/TRosterList.h"
#include "text/Numbers.h"

#include <limits>

namespace mecovnik {

std::int64_t NumberedNameSuffix(std::string_view name, std::string_view& base)
{
    if (name.size() < 4 || name.back() != ']')
        return 0;
    const std::size_t open = name.rfind(" [");
    if (open == std::string_view::npos)
        return 0;
    const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
    if (digits.empty() || digits.size() > 10 || digits.front() == '0')
        return 0;
    const auto n = ParseInt64(digits);
    if (!n)
        return 0;
    base = name.substr(0, open);
    return *n;
}

namespace {

std::string Numbered(const std::string& name, std::int64_t n)
{
    return name + " [" + std::to_string(n) + ']';
}

} // namespace

std::string UniqueName(const TRosterList& rows, const std::string& name)
{
    if (rows.IndexOf(name) < 0)
        return name;

    // The roster's bookkeeping knows the lowest free number; the collation
    // may still see another name as equal, so each candidate is checked.
    constexpr std::int64_t last = std::numeric_limits<std::int32_t>::max();
    std::int64_t n = rows.LowestFreeNumber(name);
    while (n <= last) {
        std::string candidate = Numbered(name, n);
        if (rows.IndexOf(candidate) < 0)
            return candidate;
        ++n;
    }
    return name;
}

bool BelongsToGroup(const TObjekt& record, TDeleteMode mode)
{
    switch (mode) {
    case TDeleteMode::All:
        return true;
    case TDeleteMode::Dead:
        return record.Lives <= 0;
    case TDeleteMode::DeadAndKnockedOut:
        return record.Lives <= record.KnockOut;
    }
    return false;
}

std::string_view GroupWords(int mode)
{
    switch (mode) {
    case 0:
        return "všechny";
    case 1:
        return "všechny mrtvé";
    case 2:
        return "všechny mrtvé a vyřazené";
    default:
        return {};
    }
}

} // namespace mecovnik

#include "roster/RosterRules.h"

#include "roster/TNameOrder.h"
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

int CompareRosterNames(const TNameOrder& order, std::string_view a, std::string_view b)
{
    std::string_view baseA = a;
    std::string_view baseB = b;
    const std::int64_t na = NumberedNameSuffix(a, baseA);
    const std::int64_t nb = NumberedNameSuffix(b, baseB);
    if (na == 0 && nb == 0)
        return order.Compare(a, b);
    if (const int c = order.Compare(na ? baseA : a, nb ? baseB : b); c != 0)
        return c;
    return na < nb ? -1 : (na > nb ? 1 : 0);
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

std::string WoundLine(std::string_view character, std::string_view monster, std::int32_t lives,
                      std::int32_t maxLives)
{
    std::string line = character.empty() ? std::string("Zraňujete nestvůru ")
                                         : std::string(character) + " zraňuje nestvůru ";
    line += monster;
    line += " (" + std::to_string(lives) + " z " + std::to_string(maxLives) +
            (maxLives == 1 ? " života)" : " životů)");
    return line;
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

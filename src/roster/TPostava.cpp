#include "roster/TPostava.h"

namespace mecovnik {

std::string TPostava::GetColumnText(int column) const
{
    switch (column) {
    case 0:
        return Name;
    case 1:
        return LivesText();
    case 2:
        return Decimal(Experience);
    case 3:
        return Decimal(UnassignedExperience);
    default:
        return "???";
    }
}

void TPostava::AddExperience(std::int32_t delta)
{
    std::int64_t d = delta;
    if (d < 0 && d < -std::int64_t{UnassignedExperience})
        d = -std::int64_t{UnassignedExperience};
    Experience = SaturateToInt32(Experience + d);
    UnassignedExperience = SaturateToInt32(UnassignedExperience + d);
}

std::int32_t TPostava::HandOverAmount(std::int32_t amount) const
{
    if (amount == -1 || amount > UnassignedExperience)
        amount = UnassignedExperience;
    // Nothing is ever handed back from the player.
    return amount < 0 ? 0 : amount;
}

void TPostava::HandOver(std::int32_t amount)
{
    UnassignedExperience = SaturateToInt32(std::int64_t{UnassignedExperience} - amount);
}

} // namespace mecovnik

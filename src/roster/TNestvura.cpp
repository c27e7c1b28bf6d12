#include "roster/TNestvura.h"

#include "roster/TRandom.h"

#include <algorithm>
#include <limits>

namespace mecovnik {

std::string TNestvura::GetColumnText(int column) const
{
    switch (column) {
    case 0:
        return Name;
    case 1:
        return LivesText();
    case 2:
        return Decimal(KillExperience);
    default:
        return "???";
    }
}

void TNestvura::RollLives(TRandom& random)
{
    constexpr std::int64_t cap = std::numeric_limits<std::int32_t>::max();
    std::int64_t sum = 0;
    // Saturates instead of overflowing for a level that did not come through the dialog.
    for (std::int32_t i = 0; i < Level && sum < cap; ++i)
        sum += 1 + random.Next() % 8;
    MaxLives = SaturateToInt32(sum);
    Lives = MaxLives;
    ApplyKnockOutRule();
}

void TNestvura::ApplyKnockOutRule()
{
    switch (KnockOutRule) {
    case 0:
        KnockOut = 0;
        break;
    case 1:
        KnockOut = 1;
        break;
    case 2:
        KnockOut = MaxLives / 8;
        break;
    case 3:
        KnockOut = MaxLives / 6;
        break;
    case 4:
        KnockOut = MaxLives / 4;
        break;
    default:
        KnockOutRule = 0;
        break;
    }
    if (KnockOut >= MaxLives)
        KnockOut = SaturateToInt32(std::int64_t{MaxLives} - 1);
}

void TNestvura::Reshape(std::int32_t level, std::int32_t knockOutRule, std::int32_t killExperience,
                        TRandom& random)
{
    KillExperience = killExperience;
    KnockOutRule = knockOutRule;
    if (level != Level) {
        // The wounds it has taken stay with it.
        const std::int64_t taken = std::max<std::int64_t>(0, std::int64_t{MaxLives} - Lives);
        Level = level;
        RollLives(random);
        Lives = SaturateToInt32(std::max<std::int64_t>(0, std::int64_t{MaxLives} - taken));
        return;
    }
    ApplyKnockOutRule();
}

std::int32_t TNestvura::ExperienceFor(std::int32_t taken) const
{
    if (MaxLives <= 0)
        return 0;
    return SaturateToInt32(std::int64_t{taken} * KillExperience / MaxLives);
}

std::int32_t TNestvura::Wound(std::int32_t damage)
{
    std::int32_t taken = damage;
    if (taken > Lives)
        taken = Lives;
    if (taken < 0)
        taken = 0;
    Lives -= taken;
    return ExperienceFor(taken);
}

} // namespace mecovnik

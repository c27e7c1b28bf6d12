#pragma once

#include "roster/TObjekt.h"

namespace mecovnik {

class TRandom;

// A monster in the roster, or a remembered monster kind (preset).
class TNestvura final : public TObjekt
{
public:
    TNestvura() = default;
    explicit TNestvura(std::string name) : TObjekt(std::move(name)) {}

    // Columns: name, lives, KillExperience; others "???".
    [[nodiscard]] std::string GetColumnText(int column) const override;

    // Rolls MaxLives as Level eight-sided dice, sets Lives = MaxLives and the
    // knock-out threshold from KnockOutRule (an unknown rule becomes 0 and leaves
    // KnockOut as it is); KnockOut always ends below MaxLives.
    void RollLives(TRandom& random);

    // Takes a level, knock-out rule and kill experience entered for a monster
    // already in the fight. A new level rolls MaxLives anew (RollLives) and
    // keeps the lives it had lost: Lives = the new MaxLives - (old MaxLives -
    // old Lives), at least 0. The threshold follows the rule from MaxLives as
    // RollLives sets it (an unknown rule becomes 0 and keeps the threshold).
    void Reshape(std::int32_t level, std::int32_t knockOutRule, std::int32_t killExperience,
                 TRandom& random);

    // taken * KillExperience / MaxLives rounded down, computed in 64 bits;
    // 0 when MaxLives <= 0; saturated to the 32-bit range.
    [[nodiscard]] std::int32_t ExperienceFor(std::int32_t taken) const;

    // Takes at most the remaining lives (never a negative amount) and returns
    // the experience for the lives actually taken.
    std::int32_t Wound(std::int32_t damage);

    std::int32_t KillExperience = 100;
    std::int32_t Level = 1;
    std::int32_t KnockOutRule = 0;

private:
    // KnockOut from KnockOutRule and MaxLives, kept below MaxLives.
    void ApplyKnockOutRule();
};

// Number of knock-out rules, in dialog order: 0, 1, 1/8, 1/6, 1/4 lives.
inline constexpr int KnockOutRuleCount = 5;

} // namespace mecovnik

#pragma once

#include "roster/TObjekt.h"

namespace mecovnik {

// A player character.
class TPostava final : public TObjekt
{
public:
    TPostava() = default;
    explicit TPostava(std::string name) : TObjekt(std::move(name)) {}

    // Columns: name, lives, Experience, UnassignedExperience.
    [[nodiscard]] std::string GetColumnText(int column) const override;

    // Adds delta to both experience fields; a negative delta takes at most the
    // unassigned experience, so what was handed over stays. Saturates at 32 bits.
    void AddExperience(std::int32_t delta);

    // How much of the unassigned experience a hand-over of amount passes to the
    // player: all of it for -1 or an amount above it; 0 means nothing to announce.
    [[nodiscard]] std::int32_t HandOverAmount(std::int32_t amount) const;

    // Hands amount over to the player: only the unassigned experience drops.
    void HandOver(std::int32_t amount);

    // Zeroes both the earned and the unassigned experience.
    void ResetExperience() { Experience = UnassignedExperience = 0; }

    std::int32_t Experience = 0;
    std::int32_t UnassignedExperience = 0;
};

} // namespace mecovnik

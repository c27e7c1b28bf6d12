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

    std::int32_t Experience = 0;
    std::int32_t UnassignedExperience = 0;
};

} // namespace mecovnik

#include "roster/TObjekt.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace mecovnik {

TObjekt::TObjekt(std::string name) : Name(std::move(name)) {}

TObjekt::~TObjekt() = default;

void TObjekt::ApplyStateColor(TColor& fontColor) const
{
    if (Lives <= 0)
        fontColor = clRed;
    else if (Lives <= KnockOut)
        fontColor = clSilver;
}

void TObjekt::SetLives(std::int32_t value)
{
    if (value < 0)
        value = 0;
    if (value > MaxLives)
        value = MaxLives;
    Lives = value;
}

void TObjekt::AddLives(std::int32_t delta)
{
    std::int64_t sum = std::int64_t{Lives} + delta;
    if (sum < 0)
        sum = 0;
    if (sum > MaxLives)
        sum = MaxLives;
    Lives = SaturateToInt32(sum);
}

std::string TObjekt::Decimal(std::int32_t value)
{
    return std::to_string(value);
}

std::string TObjekt::LivesText() const
{
    return Decimal(Lives) + '/' + Decimal(MaxLives) + '(' + Decimal(KnockOut) + ')';
}

std::int32_t SaturateToInt32(std::int64_t value)
{
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, lo, hi));
}

} // namespace mecovnik

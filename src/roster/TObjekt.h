#pragma once

#include <cstdint>
#include <string>

namespace mecovnik {

// A colour as the original platform stored it: 0x00BBGGRR.
using TColor = std::uint32_t;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clSilver = 0xC0C0C0;

// Anything that has lives: the common base of characters and monsters.
// Fields are public on purpose: the records are plain data with rules attached.
class TObjekt
{
public:
    TObjekt() = default;
    explicit TObjekt(std::string name);
    virtual ~TObjekt();

    // Text of one roster column; "???" for a column the record does not have.
    [[nodiscard]] virtual std::string GetColumnText(int column) const = 0;

    // Dead: Lives <= 0.
    [[nodiscard]] bool IsDead() const { return Lives <= 0; }
    // Knocked out: 0 < Lives <= KnockOut (never with KnockOut 0).
    [[nodiscard]] bool IsKnockedOut() const { return Lives > 0 && Lives <= KnockOut; }

    // Sets fontColor to red when dead, light grey when knocked out, else leaves it.
    void ApplyStateColor(TColor& fontColor) const;

    // Lives = value clamped to 0..MaxLives.
    void SetLives(std::int32_t value);
    // Lives += delta, then clamped to 0..MaxLives; the sum never overflows.
    void AddLives(std::int32_t delta);

    std::string Name;
    std::int32_t Lives = 50;
    std::int32_t MaxLives = 50;
    std::int32_t KnockOut = 1;

protected:
    TObjekt(const TObjekt&) = default;
    TObjekt& operator=(const TObjekt&) = default;
    TObjekt(TObjekt&&) = default;
    TObjekt& operator=(TObjekt&&) = default;

    // Plain signed decimal, no grouping.
    [[nodiscard]] static std::string Decimal(std::int32_t value);
    // "%d/%d(%d)" of Lives, MaxLives, KnockOut.
    [[nodiscard]] std::string LivesText() const;
};

// Clamps a 64-bit intermediate result into the 32-bit range.
[[nodiscard]] std::int32_t SaturateToInt32(std::int64_t value);

} // namespace mecovnik

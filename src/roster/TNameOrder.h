#pragma once

#include <string>
#include <string_view>

namespace mecovnik {

// Order and equality of combatant names, ignoring letter case. The windows
// supply the user's locale collation; core tests use a simpler one.
class TNameOrder
{
public:
    virtual ~TNameOrder() = default;
    // <0, 0 or >0 as a sorts before, equal to or after b (UTF-8 texts).
    [[nodiscard]] virtual int Compare(std::string_view a, std::string_view b) const = 0;

    // A key under which names that compare equal usually meet (case folded).
    // Used only to find candidates quickly; Compare has the last word.
    [[nodiscard]] virtual std::string FoldKey(std::string_view name) const = 0;
};

// ASCII letters compared without case, other bytes as they are.
class TAsciiNameOrder final : public TNameOrder
{
public:
    [[nodiscard]] int Compare(std::string_view a, std::string_view b) const override;
    [[nodiscard]] std::string FoldKey(std::string_view name) const override;
};

} // namespace mecovnik

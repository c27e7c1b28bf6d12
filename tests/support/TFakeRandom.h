#pragma once

#include "roster/TRandom.h"

#include <deque>

namespace mecovnik::test {

// Returns queued numbers in order, then zeros.
class TFakeRandom final : public TRandom
{
public:
    TFakeRandom() = default;
    TFakeRandom(std::initializer_list<std::uint32_t> values) : m_values(values) {}
    void Push(std::uint32_t value) { m_values.push_back(value); }
    std::uint32_t Next() override;

private:
    std::deque<std::uint32_t> m_values;
};

} // namespace mecovnik::test

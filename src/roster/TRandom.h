#pragma once

#include <cstdint>
#include <random>

namespace mecovnik {

// Source of non-negative pseudo-random integers. Passed in so that tests can
// decide what a roll gives.
class TRandom
{
public:
    virtual ~TRandom() = default;
    // A uniformly distributed integer in 0..2^31-1.
    virtual std::uint32_t Next() = 0;
};

// The program's generator, seeded once from the clock.
class TClockSeededRandom final : public TRandom
{
public:
    TClockSeededRandom();
    std::uint32_t Next() override;

private:
    std::mt19937 m_engine;
};

} // namespace mecovnik

#pragma once

#include "history/TClock.h"

#include <cstdint>

namespace mecovnik::test {

// A clock that stands still until a test moves it.
class TFakeClock final : public TClock
{
public:
    [[nodiscard]] std::int64_t Now() const override { return Time; }
    std::int64_t Time = 1'714'590'000; // 2024-05-01 19:00:00 UTC
};

// The clock of every main window made with TestServices.
[[nodiscard]] TFakeClock& TestClock();

} // namespace mecovnik::test

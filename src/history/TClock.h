#pragma once

#include <cstdint>

namespace mecovnik {

// Where the ledger's rows take their time from; tests pass a fake.
class TClock
{
public:
    TClock() = default;
    TClock(const TClock&) = delete;
    TClock& operator=(const TClock&) = delete;
    virtual ~TClock() = default;

    // Seconds since the epoch.
    [[nodiscard]] virtual std::int64_t Now() const = 0;
};

// The system's wall clock.
class TSystemClock final : public TClock
{
public:
    // Seconds since the epoch, as the system tells them now.
    [[nodiscard]] std::int64_t Now() const override;
};

} // namespace mecovnik

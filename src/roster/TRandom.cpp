#include "roster/TRandom.h"

#include <chrono>

namespace mecovnik {

TClockSeededRandom::TClockSeededRandom()
    : m_engine(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count()))
{
}

std::uint32_t TClockSeededRandom::Next()
{
    return m_engine() >> 1;
}

} // namespace mecovnik

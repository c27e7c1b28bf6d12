#include "TFakeRandom.h"

namespace mecovnik::test {

std::uint32_t TFakeRandom::Next()
{
    if (m_values.empty())
        return 0;
    const std::uint32_t v = m_values.front();
    m_values.pop_front();
    return v;
}

} // namespace mecovnik::test

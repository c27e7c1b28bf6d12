#include "roster/TNameOrder.h"

#include <algorithm>

namespace mecovnik {

int TAsciiNameOrder::Compare(std::string_view a, std::string_view b) const
{
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a')
                                      : static_cast<unsigned char>(c);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = lower(a[i]) - lower(b[i]);
        if (d != 0)
            return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace mecovnik

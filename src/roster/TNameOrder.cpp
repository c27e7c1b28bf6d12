#include "roster/TNameOrder.h"

#include <algorithm>

namespace mecovnik {

namespace {

unsigned char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a')
                                  : static_cast<unsigned char>(c);
}

} // namespace

std::string TAsciiNameOrder::FoldKey(std::string_view name) const
{
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(Lower(c));
    return key;
}

int TAsciiNameOrder::Compare(std::string_view a, std::string_view b) const
{
    const auto lower = Lower;
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = lower(a[i]) - lower(b[i]);
        if (d != 0)
            return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace mecovnik

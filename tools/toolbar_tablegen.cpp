// Turns a toolbar table's readable source into the table's bytes.
// usage: toolbar_tablegen <values per line, 0 for any> <expected size, 0 for any> <source> <output>

#include "text/Numbers.h"
#include "toolbar/ToolbarTableText.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <values per line> <expected size> <source> <output>\n",
                     argv[0]);
        return 2;
    }
    const auto perLine = mecovnik::ParseInt32(argv[1]);
    const auto expected = mecovnik::ParseInt64(argv[2]);
    if (!perLine || !expected || *perLine < 0 || *expected < 0) {
        std::fprintf(stderr, "%s: the counts must be whole numbers from 0 on\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[3]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    const auto bytes = mecovnik::CompileToolbarTable(text.str(), *perLine, &error);
    if (!bytes) {
        std::fprintf(stderr, "%s: %s\n", argv[3], error.c_str());
        return 1;
    }
    if (*expected > 0 && static_cast<std::int64_t>(bytes->size()) != *expected) {
        std::fprintf(stderr, "%s: %zu bytes, expected %lld\n", argv[3], bytes->size(),
                     static_cast<long long>(*expected));
        return 1;
    }
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
    // Closed here, so a failure to write the last bytes is not lost.
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", argv[4]);
        return 1;
    }
    return 0;
}

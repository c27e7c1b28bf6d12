// Turns a toolbar table's readable source into the table's bytes.
// usage: toolbar_tablegen <values per line, 0 for any> <expected size, 0 for any> <source> <output>

#include "toolbar/ToolbarTableText.h"

#include <cstdio>
#include <cstdlib>
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
    const int perLine = std::atoi(argv[1]);
    const long expected = std::atol(argv[2]);
    std::ifstream in(argv[3], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[3]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    const auto bytes = mecovnik::CompileToolbarTable(text.str(), perLine, &error);
    if (!bytes) {
        std::fprintf(stderr, "%s: %s\n", argv[3], error.c_str());
        return 1;
    }
    if (expected > 0 && static_cast<long>(bytes->size()) != expected) {
        std::fprintf(stderr, "%s: %zu bytes, expected %ld\n", argv[3], bytes->size(), expected);
        return 1;
    }
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", argv[4]);
        return 1;
    }
    return 0;
}

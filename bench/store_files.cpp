// Writes the store files that bench_startup_store starts the program over:
//   store10.reg  a configuration of about 10 MiB as the program saves it: the
//                settings and some 55,000 monster kinds;
//   file63.reg   a 63 MiB file of small values (another program's integers)
//                after the settings, as a hostile or unlucky file may be.
// usage: store_files FOLDER
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace mecovnik;

namespace {

bool Write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];

    TMemoryRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    nastaveni.AutoSave = false;
    nastaveni.MainWindow = {100, 80, 700, 500, 0};
    for (int i = 0; !file.Content || file.Content->size() < 10u * 1024u * 1024u; ++i) {
        for (int j = 0; j < 5000; ++j, ++i) {
            auto record = std::make_unique<TNestvura>("Nestvůra č. " + std::to_string(i));
            record->Level = i % 20;
            record->KillExperience = 10 * i;
            nastaveni.MonsterPresets.Append(std::move(record));
        }
        if (!nastaveni.Save())
            return 1;
    }
    if (!Write(folder + "/store10.reg", *file.Content))
        return 1;

    std::string big = *file.Content;
    big += "\n[HKEY_CURRENT_USER\\Software\\Jiný program\\Čísla]\n";
    for (unsigned i = 0; big.size() < 63u * 1024u * 1024u; ++i)
        big += "\"v" + std::to_string(i) + "\"=dword:0000002a\n";
    if (!Write(folder + "/file63.reg", big))
        return 1;
    std::printf("store10.reg: %zu bytes, %d kinds; file63.reg: %zu bytes\n", file.Content->size(),
                nastaveni.MonsterPresets.Count(), big.size());
    return 0;
}

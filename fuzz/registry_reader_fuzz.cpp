// Fuzz target for the store's file reader and writer. For any bytes:
// - reading never crashes nor trips a sanitizer;
// - round trip: what the writer makes of the tree reads back whole as the same
//   tree, and writes the same text again;
// - the reader, the quota and the writer agree: what the reader counts is the
//   written size (hive roots without values aside), within every limit given;
// - under small limits with the program's places, foreign data stays within
//   its half, and the program's configuration loads and saves back whole;
// - loading the settings never writes.

#include "persistence/RegFileFormat.h"
#include "persistence/RegistryLimits.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mecovnik;

// Aborts (a finding) naming the line of the check that failed.
void Check(bool condition, int line)
{
    if (condition)
        return;
    std::fprintf(stderr, "check failed: registry_reader_fuzz.cpp:%d\n", line);
    std::abort();
}
#define CHECK(condition) Check((condition), __LINE__)

bool SameTree(const TRegistryKey& a, const TRegistryKey& b)
{
    if (a.Values().Size() != b.Values().Size() || a.Subkeys().Size() != b.Subkeys().Size() ||
        a.PathBytes() != b.PathBytes())
        return false;
    auto va = a.Values().begin();
    for (const auto& v : b.Values()) {
        if (va->Name != v.Name || !(va->Item == v.Item))
            return false;
        ++va;
    }
    auto ka = a.Subkeys().begin();
    for (const auto& k : b.Subkeys()) {
        if (ka->Name != k.Name || !SameTree(*ka->Item, *k.Item))
            return false;
        ++ka;
    }
    return true;
}

std::size_t OmittedHiveLines(const TRegistryKey& top)
{
    std::size_t bytes = 0;
    for (const auto& hive : top.Subkeys())
        if (hive.Item->Values().Size() == 0 && hive.Item->Subkeys().Size() != 0)
            bytes += KeyLineBytes(hive.Name.size());
    return bytes;
}

// Reads under limits, then checks the round trip and the count.
void RoundTrip(std::string_view bytes, const TRegReadLimits& limits)
{
    const TRegFileContent content = ReadRegFile(bytes, limits);
    CHECK(content.Bytes <= limits.Limit);
    const std::string text = WriteRegFile(*content.Top);
    CHECK(content.Bytes == text.size() + OmittedHiveLines(*content.Top));
    TRegReadLimits whole = limits;
    whole.Truncated = false;
    const TRegFileContent again = ReadRegFile(text, whole);
    CHECK(again.Whole);
    CHECK(again.Bytes == content.Bytes);
    CHECK(SameTree(*again.Top, *content.Top));
    CHECK(WriteRegFile(*again.Top) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    RoundTrip(bytes, {});
    const TOwnership ownership(TNastaveni::OwnPlaces());
    // Small limits, so that short inputs reach them.
    for (const std::size_t limit : {std::size_t{300}, std::size_t{2048}}) {
        TRegReadLimits limits;
        limits.Limit = limit;
        limits.ForeignLimit = ForeignLimit(limit);
        limits.Ownership = &ownership;
        RoundTrip(bytes, limits);
        limits.Truncated = true;
        RoundTrip(bytes, limits);
    }

    // Loading never writes.
    TMemoryRegistryFile file(bytes);
    {
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        (void)nastaveni.Load();
    }
    CHECK(file.Content == bytes && !file.Backup);

    // In a small store, whatever the file holds, the configuration it loaded
    // saves back whole and reads back the same.
    constexpr std::size_t kSmall = 16 * 1024;
    TMemoryRegistryFile small(bytes);
    TRegistryStore store(small, kSmall);
    std::vector<std::string> names;
    {
        TNastaveni nastaveni(store);
        (void)nastaveni.Load();
        CHECK(store.HasRoomFor(nastaveni.OwnBytesBound()));
        CHECK(nastaveni.Save());
        for (int i = 0; i < nastaveni.MonsterPresets.Count(); ++i)
            names.push_back(nastaveni.MonsterPresets.At(i)->Name);
    }
    CHECK(small.Content && small.Content->size() <= kSmall);
    TNastaveni loaded(store);
    CHECK(loaded.Load());
    CHECK(store.LastReadWhole());
    CHECK(loaded.MonsterPresets.Count() == static_cast<int>(names.size()));
    for (int i = 0; i < loaded.MonsterPresets.Count(); ++i)
        CHECK(loaded.MonsterPresets.At(i)->Name == names[static_cast<std::size_t>(i)]);
    return 0;
}

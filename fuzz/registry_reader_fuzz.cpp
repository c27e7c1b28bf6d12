// Fuzz target for the store's file reader: any bytes must read without a crash
// or a sanitizer report; what the writer makes of them must read back whole and
// write the same again; and loading the settings over them must not write.

#include "persistence/RegFileFormat.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TNastaveni.h"
#include "persistence/TRegistryStore.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mecovnik;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const TRegFileContent content = ReadRegFile(bytes);
    const std::string text = WriteRegFile(*content.Top);
    const TRegFileContent again = ReadRegFile(text);
    if (!again.Whole || WriteRegFile(*again.Top) != text)
        std::abort();

    TMemoryRegistryFile file(bytes);
    {
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        (void)nastaveni.Load();
    }
    if (file.Content != bytes || file.Backup)
        std::abort();
    return 0;
}

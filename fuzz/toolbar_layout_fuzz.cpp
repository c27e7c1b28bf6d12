// Fuzz target for a stored toolbar: the first four bytes are "Počet tlačítek"
// (any value), the rest is "Tlačítka". Loading must neither crash nor size an
// allocation by the count; whatever loads must place and snap without an
// overflow, and the placed items must lie within the coordinate limit.

#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"
#include "toolbar/ToolbarGeometry.h"
#include "toolbar/ToolbarPersistence.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mecovnik;
    if (size < 4)
        return 0;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::int32_t count = ReadInt32LE(bytes, 0);
    const std::span<const std::uint8_t> blob = bytes.subspan(4);

    TMemoryRegistryFile file;
    TRegistryStore store(file);
    {
        TRegistry reg(store);
        if (!reg.OpenKey(kProgramKey, true))
            std::abort();
        TRegistry key = TRegistry::AtOpenKeyOf(reg);
        if (!key.OpenKey(kToolbarKey, true))
            std::abort();
        key.WriteInteger("Verze", 1);
        key.WriteInteger("Počet tlačítek", count);
        key.WriteBinaryData("Tlačítka", blob);
    }
    TNastaveni nastaveni(store);
    if (!nastaveni.Load() || !nastaveni.Toolbar.Get())
        std::abort();
    const TToolbarState& state = *nastaveni.Toolbar.Get();
    const bool matches = count > 0 && blob.size() == static_cast<std::size_t>(count) * 20;
    if (state.Records.size() != (matches ? static_cast<std::size_t>(count) : 0u))
        std::abort();

    const auto placed =
        PlaceLayout(state.Records, 33, [](std::int32_t id) { return id >= 1 && id <= 9; });
    for (const TToolbarLayoutItem& p : placed) {
        if (p.Left < -kCoordinateLimit || p.Left > kCoordinateLimit || p.Height < 0 ||
            p.Height > kCoordinateLimit)
            std::abort();
    }
    for (const TToolbarLayoutItem& r : state.Records) {
        (void)SnapItemCorner({r.Left, r.Top}, r.Id == tbSeparator, placed, std::nullopt, r.Height);
        (void)DroppedGeometry(r.Id, {r.Left, r.Top}, r.Width);
    }
    return 0;
}

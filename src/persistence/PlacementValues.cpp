#include "persistence/PlacementValues.h"

#include "persistence/RegistryReads.h"
#include "persistence/TRegistry.h"

#include <limits>
#include <string>

namespace mecovnik {

namespace {

std::string Name(std::string_view prefix, std::string_view suffix)
{
    std::string name(prefix);
    name += suffix;
    return name;
}

} // namespace

void WriteBounds(const TFormPlacement& bounds, TRegistry& registry, std::string_view prefix)
{
    registry.WriteInteger(Name(prefix, ".X"), bounds.Left);
    registry.WriteInteger(Name(prefix, ".Y"), bounds.Top);
    registry.WriteInteger(Name(prefix, ".W"), bounds.Width);
    registry.WriteInteger(Name(prefix, ".H"), bounds.Height);
}

void WriteFormPlacement(const TFormPlacement& placement, TRegistry& registry,
                        std::string_view prefix)
{
    WriteBounds(placement, registry, prefix);
    registry.WriteInteger(Name(prefix, ".Stav"), placement.WindowState);
}

bool ReadBounds(TFormPlacement& bounds, const TRegistry& registry, std::string_view prefix)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!RegReadInteger(registry, Name(prefix, ".X"), left, kMax, kMin) ||
        !RegReadInteger(registry, Name(prefix, ".Y"), top, kMax, kMin) ||
        !RegReadInteger(registry, Name(prefix, ".W"), width, kMax, kMin) ||
        !RegReadInteger(registry, Name(prefix, ".H"), height, kMax, kMin))
        return false;
    bounds.Left = left;
    bounds.Top = top;
    bounds.Width = width;
    bounds.Height = height;
    return true;
}

void ReadFormPlacement(TFormPlacement& placement, const TRegistry& registry,
                       std::string_view prefix)
{
    ReadBounds(placement, registry, prefix);
    std::int32_t state = 0;
    if (RegReadInteger(registry, Name(prefix, ".Stav"), state, 2, 0))
        placement.WindowState = static_cast<std::uint8_t>(state);
}

} // namespace mecovnik

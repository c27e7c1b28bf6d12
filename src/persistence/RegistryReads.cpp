#include "persistence/RegistryReads.h"

#include "persistence/TRegistry.h"

#include <climits>

namespace mecovnik {

namespace {

bool IsInteger(const TRegistry& registry, std::string_view name)
{
    const auto info = registry.GetDataInfo(name);
    return info && info->Type == TRegType::Dword && info->Size == 4;
}

} // namespace

bool RegReadInteger(const TRegistry& registry, std::string_view name, std::int32_t& value,
                    std::int32_t max, std::int32_t min)
{
    if (!IsInteger(registry, name))
        return false;
    const std::int32_t v = registry.ReadInteger(name);
    if (v < min || v > max)
        return false;
    value = v;
    return true;
}

bool RegReadBool(const TRegistry& registry, std::string_view name, bool& flag)
{
    if (!IsInteger(registry, name))
        return false;
    flag = registry.ReadInteger(name) != 0;
    return true;
}

int RegReadBinary(const TRegistry& registry, std::string_view name, std::span<std::uint8_t> buffer)
{
    const auto info = registry.GetDataInfo(name);
    if (!info || info->Type != TRegType::Binary || info->Size != buffer.size() ||
        buffer.size() > static_cast<std::size_t>(INT_MAX))
        return -1;
    return static_cast<int>(registry.ReadBinaryData(name, buffer));
}

void RegClearKey(TRegistry& registry, int what)
{
    if ((what & kClearSubkeys) != 0) {
        const std::vector<std::string> names = registry.GetKeyNames();
        for (const std::string& name : names)
            registry.DeleteKey(name);
    }
    if ((what & kClearValues) != 0) {
        const std::vector<std::string> names = registry.GetValueNames();
        for (const std::string& name : names)
            registry.DeleteValue(name);
    }
}

} // namespace mecovnik

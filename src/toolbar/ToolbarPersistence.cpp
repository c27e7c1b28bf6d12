#include "toolbar/ToolbarPersistence.h"

#include "persistence/ERegistryException.h"
#include "persistence/RegistryLimits.h"
#include "persistence/RegistryReads.h"
#include "persistence/TRegistry.h"

#include <limits>

namespace mecovnik {

namespace {

constexpr std::string_view kVersion = "Verze";
constexpr std::string_view kVisible = "Viditelný";
constexpr std::string_view kShowHints = "Zobrazovat popisky";
constexpr std::string_view kCount = "Počet tlačítek";
constexpr std::string_view kButtons = "Tlačítka";

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

} // namespace

std::size_t ToolbarValuesBytes(const TToolbarState& state)
{
    const TRegistryValue integer{TRegType::Dword, std::string(4, '\0')};
    std::size_t bytes = 0;
    for (const std::string_view name : {kVersion, kVisible, kShowHints, kCount})
        bytes += ValueLineBytes(name, integer);
    if (!state.Records.empty()) {
        const std::vector<std::uint8_t> records = WriteLayoutRecords(state.Records);
        bytes +=
            ValueLineBytes(kButtons, TRegistryValue{TRegType::Binary,
                                                    std::string(records.begin(), records.end())});
    }
    return bytes;
}

void SaveToolbarState(TRegistry& registry, std::string_view subkey, const TToolbarState& state,
                      std::int32_t version)
{
    TRegistry key = TRegistry::AtOpenKeyOf(registry);
    key.DeleteKey(subkey);
    if (!key.OpenKey(subkey, true))
        throw ERegistryException("OpenKey");
    key.WriteInteger(kVersion, version);
    key.WriteInteger(kVisible, state.Visible != 0 ? 1 : 0);
    key.WriteInteger(kShowHints, state.ShowHints != 0 ? 1 : 0);
    key.WriteInteger(kCount, state.Count());
    if (!state.Records.empty())
        key.WriteBinaryData(kButtons, WriteLayoutRecords(state.Records));
    key.CloseKey();
}

std::unique_ptr<TToolbarState> LoadToolbarState(const TRegistry& registry, std::string_view subkey,
                                                std::int32_t version)
{
    TRegistry key = TRegistry::AtOpenKeyOf(registry);
    if (!key.OpenKey(subkey, false))
        return nullptr;
    std::int32_t stored = 0;
    if (!RegReadInteger(key, kVersion, stored, kMax, kMin) || stored != version)
        return nullptr;

    auto state = std::make_unique<TToolbarState>();
    std::int32_t count = 0;
    RegReadInteger(key, kCount, count, kMax, kMin);
    bool visible = true;
    bool showHints = true;
    RegReadBool(key, kVisible, visible);
    RegReadBool(key, kShowHints, showHints);
    state->Visible = visible ? 1 : 0;
    state->ShowHints = showHints ? 1 : 0;

    // The count is checked against the stored bytes before anything is sized
    // by it.
    const auto info = key.GetDataInfo(kButtons);
    if (count > 0 && info && info->Type == TRegType::Binary &&
        info->Size / kLayoutRecordSize == static_cast<std::size_t>(count) &&
        info->Size % kLayoutRecordSize == 0) {
        std::vector<std::uint8_t> bytes(info->Size);
        if (RegReadBinary(key, kButtons, bytes) >= 0)
            state->Records = ReadLayoutRecords(bytes);
    }
    key.CloseKey();
    return state;
}

} // namespace mecovnik

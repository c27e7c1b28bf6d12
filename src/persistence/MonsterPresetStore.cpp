#include "persistence/MonsterPresetStore.h"

#include "persistence/ERegistryException.h"
#include "persistence/RegistryReads.h"
#include "persistence/TMonsterPresets.h"
#include "persistence/TRegistry.h"

#include <limits>
#include <string>

namespace mecovnik {

namespace {

constexpr std::string_view kLevel = "Životaschopnost";
constexpr std::string_view kKnockOutRule = "Vyřazení";
constexpr std::string_view kKillExperience = "Zkušenost";
constexpr std::string_view kExactName = "Jméno";
constexpr char kEscapeMark = '=';

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

} // namespace

bool IsPlainPresetName(std::string_view name)
{
    return IsValidKeyName(name) && name.front() != kEscapeMark;
}

void FreeListObjects(TMonsterPresets& list)
{
    list.FreeListObjects();
}

void SaveMonsterPresets(TRegistry& registry, const TMonsterPresets& list)
{
    RegClearKey(registry, kClearSubkeys | kClearValues);
    TRegistry presets = TRegistry::AtOpenKeyOf(registry);
    int escaped = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const TNestvura& record = *list.At(i);
        const bool plain = IsPlainPresetName(record.Name) && !presets.KeyExists(record.Name);
        const std::string subkey = plain ? record.Name : kEscapeMark + std::to_string(++escaped);
        if (!presets.OpenKey(subkey, true))
            throw ERegistryException("OpenKey");
        presets.WriteInteger(kLevel, record.Level);
        presets.WriteInteger(kKnockOutRule, record.KnockOutRule);
        presets.WriteInteger(kKillExperience, record.KillExperience);
        if (!plain)
            presets.WriteString(kExactName, record.Name);
        presets.CloseKey();
    }
}

void LoadMonsterPresets(TRegistry& registry, TMonsterPresets& list)
{
    FreeListObjects(list);
    TRegistry presets = TRegistry::AtOpenKeyOf(registry);
    const std::vector<std::string> names = registry.GetKeyNames();
    for (const std::string& name : names) {
        if (!presets.OpenKey(name, false))
            continue;
        auto record = std::make_unique<TNestvura>();
        record->Name = name;
        const auto exact = presets.GetDataInfo(kExactName);
        if (name.front() == kEscapeMark && exact && exact->Type == TRegType::String)
            record->Name = presets.ReadString(kExactName);
        TNestvura& added = *record;
        list.Append(std::move(record));
        RegReadInteger(presets, kLevel, added.Level, kMax, kMin);
        RegReadInteger(presets, kKnockOutRule, added.KnockOutRule, kMax, kMin);
        RegReadInteger(presets, kKillExperience, added.KillExperience, kMax, kMin);
        presets.CloseKey();
    }
}

} // namespace mecovnik

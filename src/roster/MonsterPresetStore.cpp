#include "roster/MonsterPresetStore.h"

#include "persistence/ERegistryException.h"
#include "persistence/RegistryLimits.h"
#include "persistence/RegistryReads.h"
#include "persistence/TRegistry.h"
#include "roster/TMonsterPresets.h"
#include "text/Utf8.h"

#include <algorithm>
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

std::size_t PresetBytesBound(std::string_view name, std::size_t parentPathBytes)
{
    const TRegistryValue integer{TRegType::Dword, std::string(4, '\0')};
    const std::size_t values = ValueLineBytes(kLevel, integer) +
                               ValueLineBytes(kKnockOutRule, integer) +
                               ValueLineBytes(kKillExperience, integer);
    const std::size_t plain = KeyLineBytes(parentPathBytes + 1 + name.size());
    // "=" and a number of up to ten digits, with the exact name beside it.
    std::string exact = Utf8ToUtf16Le(name);
    exact.append(2, '\0');
    const std::size_t escaped =
        KeyLineBytes(parentPathBytes + 1 + 11) +
        ValueLineBytes(kExactName, TRegistryValue{TRegType::String, std::move(exact)});
    return values + std::max(plain, escaped);
}

void LoadMonsterPresets(TRegistry& registry, TMonsterPresets& list, const TPresetRoom& room)
{
    FreeListObjects(list);
    TRegistry presets = TRegistry::AtOpenKeyOf(registry);
    const std::vector<std::string> names = registry.GetKeyNames();
    std::size_t taken = 0;
    for (const std::string& name : names) {
        if (!presets.OpenKey(name, false))
            continue;
        auto record = std::make_unique<TNestvura>();
        record->Name = name;
        const auto exact = presets.GetDataInfo(kExactName);
        if (name.front() == kEscapeMark && exact && exact->Type == TRegType::String) {
            // A name a save would not write back as it is read is not taken:
            // the kind would come back under another name.
            auto text = presets.ReadExactString(kExactName);
            if (!text) {
                registry.NoteIncompleteRead();
                presets.CloseKey();
                continue;
            }
            record->Name = std::move(*text);
        }
        // What does not fit the room could never be saved again.
        const std::size_t bytes = PresetBytesBound(record->Name, room.ParentPathBytes);
        if (bytes > room.Bytes - taken) {
            registry.NoteIncompleteRead();
            break;
        }
        taken += bytes;
        TNestvura& added = *record;
        list.Append(std::move(record));
        RegReadInteger(presets, kLevel, added.Level, kMax, kMin);
        RegReadInteger(presets, kKnockOutRule, added.KnockOutRule, kMax, kMin);
        RegReadInteger(presets, kKillExperience, added.KillExperience, kMax, kMin);
        presets.CloseKey();
    }
}

} // namespace mecovnik

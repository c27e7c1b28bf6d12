#include "settings/TNastaveni.h"

#include "history/FightFileRules.h"
#include "persistence/ERegistryException.h"
#include "persistence/PlacementValues.h"
#include "persistence/RegistryReads.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "roster/MonsterPresetStore.h"
#include "text/Utf8.h"
#include "roster/RosterZoom.h"
#include "toolbar/ToolbarPersistence.h"

#include <array>
#include <exception>
#include <optional>
#include <string>

namespace mecovnik {

namespace {

constexpr std::string_view kAutoSave = "Automaticky ukládat nastavení";
// The size of the rosters' text, in per cent.
constexpr std::string_view kFontSize = "Velikost písma";
constexpr std::string_view kMainWindow = "Hlavní";
// The players' view: "Nastavení" holds its sharing, "Okna" its placement.
constexpr std::string_view kShare = "Sdílet pohled pro hráče";
constexpr std::string_view kPort = "Port pohledu pro hráče";
constexpr std::string_view kToken = "Klíč pohledu pro hráče";
constexpr std::string_view kPlayerWindow = "Pohled pro hráče";
constexpr std::array<std::string_view, 6> kPlayerPlacementValues{
    "Pohled pro hráče.X", "Pohled pro hráče.Y",    "Pohled pro hráče.W",
    "Pohled pro hráče.H", "Pohled pro hráče.Stav", "Pohled pro hráče.Celá obrazovka"};
constexpr std::string_view kFullScreen = "Pohled pro hráče.Celá obrazovka";
constexpr std::int32_t kLowestPort = 1024;
constexpr std::int32_t kHighestPort = 65535;
// The longest token a store may give back (IsPlayerViewToken).
constexpr std::size_t kLongestToken = 128;
constexpr std::array<std::string_view, 5> kPlacementValues{"Hlavní.X", "Hlavní.Y", "Hlavní.W",
                                                           "Hlavní.H", "Hlavní.Stav"};
// The fight files' values in "Souboje": "Nedávný 1" (the newest) to "Nedávný 8",
// and the folder.
constexpr std::string_view kRecentFightValue = "Nedávný ";
constexpr std::string_view kFightFolderValue = "Složka";
// A name the store keeps in the spelling it was first made with can take up
// to this many times the bytes of ours (case folding pairs letters of
// different UTF-8 lengths).
constexpr std::size_t kSpellingFactor = 3;

std::string ProgramPath(std::string_view sub = {})
{
    std::string path = std::string(kCurrentUserRoot) + "\\" + std::string(kProgramKey);
    if (!sub.empty())
        path += "\\" + std::string(sub);
    return path;
}

void OpenOrFail(TRegistry& registry, std::string_view path)
{
    if (!registry.OpenKey(path, true))
        throw ERegistryException("OpenKey");
}

} // namespace

TNastaveni::TNastaveni()
    : m_ownFile(std::make_unique<TMemoryRegistryFile>()),
      m_ownStore(std::make_unique<TRegistryStore>(*m_ownFile)), m_store(m_ownStore.get())
{
    m_store->KeepRoomFor(OwnPlaces());
}

TNastaveni::TNastaveni(TRegistryStore& store) : m_store(&store)
{
    m_store->KeepRoomFor(OwnPlaces());
}

TProgramPlaces TNastaveni::OwnPlaces()
{
    TProgramPlaces places;
    // The toolbar's key and "Nestvůry" are rewritten whole by every save.
    places.Subtrees = {ProgramPath(kToolbarKey), ProgramPath(kPresetsKey), ProgramPath(kFightsKey)};
    places.Values.emplace_back(ProgramPath(kSettingsKey), kAutoSave);
    places.Values.emplace_back(ProgramPath(kSettingsKey), kFontSize);
    for (const std::string_view name : kPlacementValues)
        places.Values.emplace_back(ProgramPath(kWindowsKey), name);
    for (const std::string_view name : {kShare, kPort, kToken})
        places.Values.emplace_back(ProgramPath(kSettingsKey), name);
    for (const std::string_view name : kPlayerPlacementValues)
        places.Values.emplace_back(ProgramPath(kWindowsKey), name);
    return places;
}

std::size_t TNastaveni::FixedBytesBound()
{
    std::size_t bytes = HeaderBytes();
    // The program key and every key on the way to it.
    const std::string program = ProgramPath();
    for (std::size_t sep = program.find('\\'); sep != std::string::npos;
         sep = program.find('\\', sep + 1))
        bytes += KeyLineBytes(sep);
    bytes += KeyLineBytes(program.size());
    const TRegistryValue integer{TRegType::Dword, std::string(4, '\0')};
    bytes += KeyLineBytes(ProgramPath(kSettingsKey).size()) + ValueLineBytes(kAutoSave, integer) +
             ValueLineBytes(kFontSize, integer);
    bytes += KeyLineBytes(ProgramPath(kWindowsKey).size());
    for (const std::string_view name : kPlacementValues)
        bytes += ValueLineBytes(name, integer);
    // The players' view's values at their largest.
    bytes += ValueLineBytes(kShare, integer) + ValueLineBytes(kPort, integer) +
             ValueLineBytes(kToken, {TRegType::String, std::string(2 * (kLongestToken + 1), 'A')});
    for (const std::string_view name : kPlayerPlacementValues)
        bytes += ValueLineBytes(name, integer);
    bytes += KeyLineBytes(ProgramPath(kPresetsKey).size());
    bytes += KeyLineBytes(ProgramPath(kToolbarKey).size());
    return kSpellingFactor * bytes;
}

std::size_t TNastaveni::FightFilesBytes() const
{
    if (RecentFights.empty() && FightFolder.empty())
        return 0;
    const auto line = [](std::string_view name, std::string_view path) {
        std::string data = Utf8ToUtf16Le(path);
        data.append(2, '\0');
        return ValueLineBytes(name, TRegistryValue{TRegType::String, std::move(data)});
    };
    std::size_t bytes =
        KeyLineBytes(ProgramPath(kFightsKey).size()) + line(kFightFolderValue, FightFolder);
    for (std::size_t i = 0; i < RecentFights.size(); ++i)
        bytes += line(std::string(kRecentFightValue) + std::to_string(i + 1), RecentFights[i]);
    return kSpellingFactor * bytes;
}

std::size_t TNastaveni::PresetsPathBytesBound()
{
    return kSpellingFactor * ProgramPath(kPresetsKey).size();
}

std::size_t TNastaveni::OwnBytesBound() const
{
    std::size_t bytes = FixedBytesBound() + FightFilesBytes();
    if (const TToolbarState* toolbar = Toolbar.Get())
        bytes += kSpellingFactor * ToolbarValuesBytes(*toolbar);
    for (int i = 0; i < MonsterPresets.Count(); ++i)
        bytes += PresetBytesBound(MonsterPresets.At(i)->Name, PresetsPathBytesBound());
    return bytes;
}

TNastaveni::~TNastaveni()
{
    FreeListObjects(MonsterPresets);
}

bool TNastaveni::Save()
{
    if (!m_store->HasRoomFor(OwnBytesBound()))
        return false;
    bool saved = true;
    try {
        SaveSteps();
    } catch (const std::exception&) {
        saved = false;
    }
    // The registry objects are gone now; their changes reached the file then.
    if (m_store->TakeWriteFailure())
        saved = false;
    if (saved)
        MonsterPresets.MarkAllKept();
    return saved;
}

void TNastaveni::SaveSteps()
{
    TRegistry program(*m_store);
    OpenOrFail(program, kProgramKey);
    TRegistry keys = TRegistry::AtOpenKeyOf(program);

    OpenOrFail(keys, kSettingsKey);
    keys.WriteInteger(kAutoSave, AutoSave ? 1 : 0);
    if (PlayerView.Share || !PlayerView.Token.empty()) {
        keys.WriteInteger(kShare, PlayerView.Share ? 1 : 0);
        keys.WriteInteger(kPort, PlayerView.Port);
        keys.WriteString(kToken, PlayerView.Token);
    }
    // Only a size other than the normal one is written, so a configuration
    // that never changed it is written as before.
    if (FontPercent != kZoomNormal)
        keys.WriteInteger(kFontSize, FontPercent);
    else
        (void)keys.DeleteValue(kFontSize);
    keys.CloseKey();

    OpenOrFail(keys, kWindowsKey);
    WriteFormPlacement(MainWindow, keys, kMainWindow);
    if (PlayerView.Window.Width != -1 && PlayerView.Window.Height != -1) {
        WriteFormPlacement(PlayerView.Window, keys, kPlayerWindow);
        keys.WriteInteger(kFullScreen, PlayerView.FullScreen ? 1 : 0);
    }
    keys.CloseKey();

    WriteToolbar(program);

    OpenOrFail(keys, kPresetsKey);
    SaveMonsterPresets(keys, MonsterPresets);
    keys.CloseKey();

    WriteFightFiles(program);
    program.CloseKey();
}

bool TNastaveni::Load()
{
    try {
        LoadSteps();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void TNastaveni::LoadSteps()
{
    TRegistry program(*m_store);
    if (!program.OpenKey(kProgramKey, false))
        return;
    TRegistry keys = TRegistry::AtOpenKeyOf(program);

    if (keys.OpenKey(kSettingsKey, false)) {
        RegReadBool(keys, kAutoSave, AutoSave);
        ReadPlayerViewSharing(keys);
        RegReadInteger(keys, kFontSize, FontPercent, kZoomLargest, kZoomNormal);
        keys.CloseKey();
    }
    if (keys.OpenKey(kWindowsKey, false)) {
        ReadFormPlacement(MainWindow, keys, kMainWindow);
        ReadFormPlacement(PlayerView.Window, keys, kPlayerWindow);
        RegReadBool(keys, kFullScreen, PlayerView.FullScreen);
        keys.CloseKey();
    }

    ReadToolbar(program);
    // Before the presets, which leave room for them.
    ReadFightFiles(program);

    if (keys.OpenKey(kPresetsKey, false)) {
        FreeListObjects(MonsterPresets);
        // Only as many presets as a save can write back are taken.
        const std::size_t room = ProgramRoom(m_store->Limit());
        const std::size_t fixed = FixedBytesBound() + FightFilesBytes();
        LoadMonsterPresets(keys, MonsterPresets,
                           {room > fixed ? room - fixed : 0, PresetsPathBytesBound()});
        MonsterPresets.MarkAllKept();
        keys.CloseKey();
    }
    program.CloseKey();
}

bool TNastaveni::SaveFightFiles()
{
    if (!m_store->HasRoomFor(OwnBytesBound()))
        return false;
    bool saved = true;
    try {
        TRegistry program(*m_store);
        OpenOrFail(program, kProgramKey);
        WriteFightFiles(program);
    } catch (const std::exception&) {
        saved = false;
    }
    if (m_store->TakeWriteFailure())
        saved = false;
    return saved;
}

namespace {

bool KeepableFightPath(std::string_view path)
{
    return !path.empty() && path.size() <= kMaxFightPathBytes;
}

// A string value that names a path, or nothing (missing, another type, broken
// text, empty or too long).
std::optional<std::string> ReadFightPath(const TRegistry& registry, std::string_view name)
{
    const std::optional<TRegDataInfo> info = registry.GetDataInfo(name);
    if (!info || info->Type != TRegType::String)
        return std::nullopt;
    std::optional<std::string> path = registry.ReadExactString(name);
    if (!path || !KeepableFightPath(*path))
        return std::nullopt;
    return path;
}

} // namespace

void TNastaveni::WriteFightFiles(TRegistry& programKey)
{
    std::vector<std::string> recent = WithRecentFight(RecentFights, {});
    std::erase_if(recent, [](const std::string& path) { return !KeepableFightPath(path); });
    TRegistry key = TRegistry::AtOpenKeyOf(programKey);
    // Nothing to keep: no key, as before any fight file was used.
    if (recent.empty() && !KeepableFightPath(FightFolder)) {
        (void)key.DeleteKey(kFightsKey);
        return;
    }
    OpenOrFail(key, kFightsKey);
    RegClearKey(key, kClearValues | kClearSubkeys);
    for (std::size_t i = 0; i < recent.size(); ++i)
        key.WriteString(std::string(kRecentFightValue) + std::to_string(i + 1), recent[i]);
    if (KeepableFightPath(FightFolder))
        key.WriteString(kFightFolderValue, FightFolder);
    key.CloseKey();
}

void TNastaveni::ReadFightFiles(TRegistry& programKey)
{
    TRegistry key = TRegistry::AtOpenKeyOf(programKey);
    if (!key.OpenKey(kFightsKey, false))
        return;
    std::vector<std::string> recent;
    for (std::size_t i = 1; i <= kMaxRecentFights; ++i)
        if (auto path = ReadFightPath(key, std::string(kRecentFightValue) + std::to_string(i)))
            recent.push_back(std::move(*path));
    RecentFights = WithRecentFight(recent, {});
    if (auto folder = ReadFightPath(key, kFightFolderValue))
        FightFolder = std::move(*folder);
    key.CloseKey();
}

void TNastaveni::ReadPlayerViewSharing(const TRegistry& settingsKey)
{
    RegReadBool(settingsKey, kShare, PlayerView.Share);
    RegReadInteger(settingsKey, kPort, PlayerView.Port, kHighestPort, kLowestPort);
    // A token that is not one (hand-edited, cut short) is dropped; sharing
    // makes a new one.
    const std::optional<TRegDataInfo> info = settingsKey.GetDataInfo(kToken);
    if (info && info->Type == TRegType::String) {
        const std::optional<std::string> token = settingsKey.ReadExactString(kToken);
        if (token && IsPlayerViewToken(*token))
            PlayerView.Token = *token;
    }
}

void TNastaveni::WriteToolbar(TRegistry& programKey)
{
    Toolbar.Write(programKey, kToolbarKey);
}

void TNastaveni::ReadToolbar(TRegistry& programKey)
{
    Toolbar.Read(programKey, kToolbarKey);
}

void TNastaveni::TToolbarHolder::Write(TRegistry& registry, std::string_view subkey) const
{
    if (m_state)
        SaveToolbarState(registry, subkey, *m_state);
}

void TNastaveni::TToolbarHolder::Read(const TRegistry& registry, std::string_view subkey)
{
    m_state = LoadToolbarState(registry, subkey);
}

} // namespace mecovnik

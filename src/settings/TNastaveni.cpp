#include "settings/TNastaveni.h"

#include "persistence/ERegistryException.h"
#include "persistence/PlacementValues.h"
#include "persistence/RegistryReads.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "roster/MonsterPresetStore.h"
#include "roster/RosterZoom.h"
#include "toolbar/ToolbarPersistence.h"

#include <array>
#include <exception>
#include <string>

namespace mecovnik {

namespace {

constexpr std::string_view kAutoSave = "Automaticky ukládat nastavení";
// The size of the rosters' text, in per cent.
constexpr std::string_view kFontSize = "Velikost písma";
constexpr std::string_view kMainWindow = "Hlavní";
constexpr std::array<std::string_view, 5> kPlacementValues{"Hlavní.X", "Hlavní.Y", "Hlavní.W",
                                                           "Hlavní.H", "Hlavní.Stav"};
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
    places.Subtrees = {ProgramPath(kToolbarKey), ProgramPath(kPresetsKey)};
    places.Values.emplace_back(ProgramPath(kSettingsKey), kAutoSave);
    places.Values.emplace_back(ProgramPath(kSettingsKey), kFontSize);
    for (const std::string_view name : kPlacementValues)
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
    bytes += KeyLineBytes(ProgramPath(kPresetsKey).size());
    bytes += KeyLineBytes(ProgramPath(kToolbarKey).size());
    return kSpellingFactor * bytes;
}

std::size_t TNastaveni::PresetsPathBytesBound()
{
    return kSpellingFactor * ProgramPath(kPresetsKey).size();
}

std::size_t TNastaveni::OwnBytesBound() const
{
    std::size_t bytes = FixedBytesBound();
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
    keys.WriteInteger(kFontSize, FontPercent);
    keys.CloseKey();

    OpenOrFail(keys, kWindowsKey);
    WriteFormPlacement(MainWindow, keys, kMainWindow);
    keys.CloseKey();

    WriteToolbar(program);

    OpenOrFail(keys, kPresetsKey);
    SaveMonsterPresets(keys, MonsterPresets);
    keys.CloseKey();
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
        RegReadInteger(keys, kFontSize, FontPercent, kZoomLargest, kZoomNormal);
        keys.CloseKey();
    }
    if (keys.OpenKey(kWindowsKey, false)) {
        ReadFormPlacement(MainWindow, keys, kMainWindow);
        keys.CloseKey();
    }

    ReadToolbar(program);

    if (keys.OpenKey(kPresetsKey, false)) {
        FreeListObjects(MonsterPresets);
        // Only as many presets as a save can write back are taken.
        const std::size_t room = ProgramRoom(m_store->Limit());
        const std::size_t fixed = FixedBytesBound();
        LoadMonsterPresets(keys, MonsterPresets,
                           {room > fixed ? room - fixed : 0, PresetsPathBytesBound()});
        MonsterPresets.MarkAllKept();
        keys.CloseKey();
    }
    program.CloseKey();
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

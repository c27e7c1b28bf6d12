#include "persistence/TNastaveni.h"

#include "persistence/ERegistryException.h"
#include "persistence/MonsterPresetStore.h"
#include "persistence/PlacementValues.h"
#include "persistence/RegistryReads.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "toolbar/ToolbarPersistence.h"

#include <exception>

namespace mecovnik {

namespace {

constexpr std::string_view kAutoSave = "Automaticky ukládat nastavení";
constexpr std::string_view kMainWindow = "Hlavní";

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
}

TNastaveni::TNastaveni(TRegistryStore& store) : m_store(&store) {}

TNastaveni::~TNastaveni()
{
    FreeListObjects(MonsterPresets);
}

bool TNastaveni::Save()
{
    bool saved = true;
    try {
        SaveSteps();
    } catch (const std::exception&) {
        saved = false;
    }
    // The registry objects are gone now; their changes reached the file then.
    if (m_store->TakeWriteFailure())
        saved = false;
    return saved;
}

void TNastaveni::SaveSteps()
{
    TRegistry program(*m_store);
    OpenOrFail(program, kProgramKey);
    TRegistry keys = TRegistry::AtOpenKeyOf(program);

    OpenOrFail(keys, kSettingsKey);
    keys.WriteInteger(kAutoSave, AutoSave ? 1 : 0);
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
        keys.CloseKey();
    }
    if (keys.OpenKey(kWindowsKey, false)) {
        ReadFormPlacement(MainWindow, keys, kMainWindow);
        keys.CloseKey();
    }

    ReadToolbar(program);

    if (keys.OpenKey(kPresetsKey, false)) {
        FreeListObjects(MonsterPresets);
        LoadMonsterPresets(keys, MonsterPresets);
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

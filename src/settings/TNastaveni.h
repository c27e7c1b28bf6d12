#pragma once

#include "persistence/RegistryLimits.h"
#include "persistence/TFormPlacement.h"
#include "playerview/PlayerAccess.h"
#include "roster/TMonsterPresets.h"
#include "toolbar/TToolbarState.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

class TMemoryRegistryFile;
class TRegistry;
class TRegistryStore;

// The program's key below the current user's hive, and its subkeys.
inline constexpr std::string_view kProgramKey = "Software\\Ferdax\\Mečovník pro Hradomor\\1.0";
inline constexpr std::string_view kSettingsKey = "Nastavení";
inline constexpr std::string_view kWindowsKey = "Okna";
inline constexpr std::string_view kToolbarKey = "Panel nástrojů";
inline constexpr std::string_view kPresetsKey = "Nestvůry";
// The fight files: the recent list and the folder last used.
inline constexpr std::string_view kFightsKey = "Souboje";
// The longest path the fight files' values keep (PATH_MAX): a longer one
// names no file that could be opened.
inline constexpr std::size_t kMaxFightPathBytes = 4096;

// The players' view: its window's placement and whether, where and with
// which key it is shared on the local network.
struct TPlayerViewSettings
{
    // Sharing on the local network; off until the user turns it on.
    bool Share = false;
    // The port it listens on, 1024 to 65535.
    std::int32_t Port = kPlayerViewDefaultPort;
    // The key in the players' link (IsPlayerViewToken); empty until sharing is
    // first turned on, then kept, so the link stays the same from run to run.
    std::string Token;
    // The window's outer bounds on the screen it was left on (Width -1: never
    // opened), and whether it filled that screen.
    TFormPlacement Window;
    bool FullScreen = false;
    friend bool operator==(const TPlayerViewSettings&, const TPlayerViewSettings&) = default;
};

// Everything the program keeps from one run to the next.
class TNastaveni final
{
public:
    // A configuration in a store of its own that lives in memory only.
    TNastaveni();
    // A configuration kept in store, which must outlive it. The store keeps
    // room for the configuration's values (OwnPlaces).
    explicit TNastaveni(TRegistryStore& store);
    TNastaveni(const TNastaveni&) = delete;
    TNastaveni& operator=(const TNastaveni&) = delete;
    ~TNastaveni();

    // Reads the stored configuration: the automatic-saving flag and the
    // players' view's sharing, the rosters' text size, the main window's and
    // the players' view's placements, the toolbar's state, the fight files,
    // then the presets. A missing program key, subkey or
    // value, or one of the wrong type or range, keeps what the object holds;
    // the four bounds change only together. Never writes. False only when a
    // registry error ended the load; what was read before it stays. Presets
    // read count as held by the configuration (MarkAllKept).
    bool Load();
    // Writes the configuration: "Nastavení", "Okna", the toolbar's place,
    // "Nestvůry", then "Souboje". The players' view's values are written only
    // once they hold something (a token, sharing on, a placement), so a
    // configuration that never used the view is written as before. False when a
    // key could not be opened or made, a value could not be written or the file
    // could not be written; what was written before the error stays written. A
    // configuration whose values could not all fit the room the store keeps for
    // them is not saved at all (false, nothing written), so a save never stops
    // halfway for lack of room. After a save that worked the configuration holds
    // every preset (MarkAllKept).
    bool Save();

    // Writes the fight files' values ("Souboje") alone, whatever AutoSave
    // says: they are the program's state, not a setting. False as Save.
    bool SaveFightFiles();

    // Where the configuration's values live below the current user's hive: its
    // keys and values; all else in the store is foreign to the program.
    [[nodiscard]] static TProgramPlaces OwnPlaces();
    // The most the configuration's values can count in the written file,
    // whatever spelling the store keeps for the names of its keys.
    [[nodiscard]] std::size_t OwnBytesBound() const;

    // Owns at most one toolbar state: the one loaded, or the one captured for
    // the next save. Replacing or clearing it frees the old one.
    class TToolbarHolder final
    {
    public:
        void Replace(std::unique_ptr<TToolbarState> state) { m_state = std::move(state); }
        void Clear() { m_state.reset(); }
        [[nodiscard]] const TToolbarState* Get() const { return m_state.get(); }
        // Writes the state into subkey of registry's open key (nothing while
        // empty); reads it back, replacing the content with what was found.
        void Write(TRegistry& registry, std::string_view subkey) const;
        void Read(const TRegistry& registry, std::string_view subkey);

    private:
        std::unique_ptr<TToolbarState> m_state;
    };

    bool AutoSave = true;
    // The size of the rosters' text in per cent, "Velikost písma" in
    // "Nastavení": 100..300, a stored value outside keeps 100.
    int FontPercent = 100;
    TFormPlacement MainWindow;
    TToolbarHolder Toolbar;
    TMonsterPresets MonsterPresets;
    TPlayerViewSettings PlayerView;

    // The fight files opened or saved last, newest first (at most
    // kMaxRecentFights, no two alike, none empty or longer than
    // kMaxFightPathBytes), and the folder the file dialogs last showed.
    std::vector<std::string> RecentFights;
    std::string FightFolder;

private:
    // The fight files' values, rewritten whole by each save, read last.
    void WriteFightFiles(TRegistry& programKey);
    void ReadFightFiles(TRegistry& programKey);
    // What the fight files' values count in the written file.
    [[nodiscard]] std::size_t FightFilesBytes() const;
    void SaveSteps();
    void LoadSteps();
    void ReadPlayerViewSharing(const TRegistry& settingsKey);
    // The toolbar's values ("Panel nástrojů") go between "Okna" and "Nestvůry",
    // through the registry object open at the program key.
    void WriteToolbar(TRegistry& programKey);
    void ReadToolbar(TRegistry& programKey);
    // What the configuration counts apart from the presets, and the path length
    // that the presets' key may have.
    [[nodiscard]] static std::size_t FixedBytesBound();
    [[nodiscard]] static std::size_t PresetsPathBytesBound();

    std::unique_ptr<TMemoryRegistryFile> m_ownFile;
    std::unique_ptr<TRegistryStore> m_ownStore;
    TRegistryStore* m_store = nullptr;
};

} // namespace mecovnik

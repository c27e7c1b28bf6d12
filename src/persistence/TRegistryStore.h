#pragma once

#include "persistence/RegistryLimits.h"
#include "persistence/TRegistryKey.h"

#include <memory>
#include <optional>

namespace mecovnik {

class TRegistryFile;

// The name of the current user's hive root in the file.
inline constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";

// The per-user registry: a tree of keys and values kept in memory and in one
// file. Registry objects (TRegistry) work on it. The file is read when the first
// registry object comes to life while no other lives, so a person's edits
// between two loads or saves are seen; changes reach the file when the last
// registry object that changed something is released, in one write.
class TRegistryStore final
{
public:
    // limit: what the keys and values may count together (RegistryLimits.h).
    explicit TRegistryStore(TRegistryFile& file, std::size_t limit = kMaxRegistryFileBytes);
    TRegistryStore(const TRegistryStore&) = delete;
    TRegistryStore& operator=(const TRegistryStore&) = delete;
    ~TRegistryStore();

    // True when a write of the file failed since the last call; clears the mark.
    [[nodiscard]] bool TakeWriteFailure();

    // What the keys and values held now count (the written file's size, a
    // hive root without values included).
    [[nodiscard]] std::size_t UsedBytes() const { return m_used; }
    [[nodiscard]] std::size_t Limit() const { return m_quota; }

    // The program tells where its own values live. From the next read on,
    // data outside these places takes at most half the limit (more is left out
    // as damage); the other half is the program's room.
    void KeepRoomFor(const TProgramPlaces& places);
    // Whether the program's own values, counting at most programBytes, fit the
    // room kept for them: then they can be written over anything read.
    [[nodiscard]] bool HasRoomFor(std::size_t programBytes) const
    {
        return programBytes <= ProgramRoom(m_quota);
    }

    // Whether the file as last read parsed whole (a missing file does).
    [[nodiscard]] bool LastReadWhole() const { return m_lastReadWhole; }

private:
    friend class TRegistry;

    // A registry object comes to life / is released; changed tells whether it
    // changed anything.
    void Attach();
    void Detach(bool changed);
    // A living registry object changed something for the first time.
    void NoteChanger() { ++m_changers; }
    // A reader left out part of what was read.
    void NoteIncompleteRead();
    // Takes (positive) or gives back (negative) quota; false when it would be
    // exceeded, and nothing is taken.
    [[nodiscard]] bool Charge(std::size_t add, std::size_t release = 0);
    [[nodiscard]] std::shared_ptr<TRegistryKey> CurrentUser() const { return m_currentUser; }

    void Reload();
    void Flush();

    TRegistryFile& m_file;
    std::size_t m_quota;
    std::size_t m_used = 0;
    std::shared_ptr<TRegistryKey> m_top;
    std::shared_ptr<TRegistryKey> m_currentUser;
    std::optional<TOwnership> m_ownership;
    int m_alive = 0;
    int m_changers = 0;
    bool m_lastReadWhole = true;
    bool m_needsBackup = false;
    bool m_incompleteRead = false;
    bool m_writeFailed = false;
};

} // namespace mecovnik

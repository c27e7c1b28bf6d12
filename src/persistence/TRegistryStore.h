#pragma once

#include "persistence/TRegistryKey.h"

#include <memory>

namespace mecovnik {

class TRegistryFile;

// How much the keys and values may take, counted as the registry's hive quota
// counts them (names, data and a small overhead for each).
inline constexpr std::size_t kDefaultRegistryQuota = 32u * 1024u * 1024u;

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
    explicit TRegistryStore(TRegistryFile& file, std::size_t quota = kDefaultRegistryQuota);
    TRegistryStore(const TRegistryStore&) = delete;
    TRegistryStore& operator=(const TRegistryStore&) = delete;
    ~TRegistryStore();

    // True when a write of the file failed since the last call; clears the mark.
    [[nodiscard]] bool TakeWriteFailure();

    // What the keys and values held now count against the quota.
    [[nodiscard]] std::size_t UsedBytes() const { return m_used; }

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
    int m_alive = 0;
    int m_changers = 0;
    bool m_lastReadWhole = true;
    bool m_needsBackup = false;
    bool m_writeFailed = false;
};

} // namespace mecovnik

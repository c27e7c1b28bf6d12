#include "persistence/TRegistryStore.h"

#include "persistence/RegFileFormat.h"
#include "persistence/TRegistryFile.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace mecovnik {

TRegistryStore::TRegistryStore(TRegistryFile& file, std::size_t limit)
    : m_file(file), m_quota(limit)
{
    m_top = std::make_shared<TRegistryKey>();
    bool added = false;
    m_currentUser = m_top->AddSubkey(kCurrentUserRoot, added);
    m_used = HeaderBytes() + m_currentUser->Footprint();
}

void TRegistryStore::KeepRoomFor(const TProgramPlaces& places)
{
    m_ownership.emplace(places);
}

void TRegistryStore::NoteIncompleteRead()
{
    // Kept past the next reads: a save reads the file anew but not every reader.
    m_lastReadWhole = false;
    m_incompleteRead = true;
    m_needsBackup = true;
}

TRegistryStore::~TRegistryStore() = default;

bool TRegistryStore::TakeWriteFailure()
{
    return std::exchange(m_writeFailed, false);
}

void TRegistryStore::Attach()
{
    if (m_alive++ == 0)
        Reload();
}

void TRegistryStore::Detach(bool changed)
{
    assert(m_alive > 0);
    --m_alive;
    if (changed && --m_changers == 0) {
        // Runs from a destructor: a failure is recorded, never thrown.
        try {
            Flush();
        } catch (...) {
            m_writeFailed = true;
        }
    }
}

bool TRegistryStore::Charge(std::size_t add, std::size_t release)
{
    const std::size_t base = m_used - std::min(release, m_used);
    // Only growth is refused: a store over its quota (a big file written by
    // hand) may still shrink.
    if (add > release && (add > m_quota || base > m_quota - add))
        return false;
    m_used = base + add;
    return true;
}

void TRegistryStore::Reload()
{
    TRegFileContent content;
    TRegistryFile::TReadStatus status = TRegistryFile::TReadStatus::Missing;
    {
        TRegistryFile::TReadResult read = m_file.ReadAll();
        status = read.Status;
        TRegReadLimits limits;
        limits.Limit = m_quota;
        limits.ForeignLimit = m_ownership ? ForeignLimit(m_quota) : m_quota;
        limits.Ownership = m_ownership ? &*m_ownership : nullptr;
        limits.Truncated = read.Truncated;
        if (status == TRegistryFile::TReadStatus::Read)
            content = ReadRegFile(read.Bytes, limits);
        else
            content = {std::make_shared<TRegistryKey>(), true, HeaderBytes()};
    } // the file's bytes are let go before the tree is used
    // A file that exists but did not parse whole (or could not be read at all)
    // is kept as a copy before the first write replaces it.
    m_lastReadWhole = status != TRegistryFile::TReadStatus::Failed && content.Whole;
    m_needsBackup =
        status != TRegistryFile::TReadStatus::Missing && (!m_lastReadWhole || m_incompleteRead);
    m_top = std::move(content.Top);
    m_used = content.Bytes;
    bool added = false;
    m_currentUser = m_top->AddSubkey(kCurrentUserRoot, added);
    if (added)
        m_used += KeyLineBytes(m_currentUser->PathBytes());
}

void TRegistryStore::Flush()
{
    const std::string text = WriteRegFile(*m_top);
    // Not reached: the count the quota keeps is at least the text's size.
    if (text.size() > m_used || text.size() > kMaxRegistryFileBytes) {
        m_writeFailed = true;
        return;
    }
    if (m_needsBackup) {
        if (!m_file.KeepBackup()) {
            m_writeFailed = true;
            return;
        }
        m_needsBackup = false;
        m_incompleteRead = false;
    }
    if (!m_file.WriteAll(text))
        m_writeFailed = true;
}

} // namespace mecovnik

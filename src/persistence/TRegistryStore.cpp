#include "persistence/TRegistryStore.h"

#include "persistence/RegFileFormat.h"
#include "persistence/TRegistryFile.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace mecovnik {

TRegistryStore::TRegistryStore(TRegistryFile& file, std::size_t quota)
    : m_file(file), m_quota(quota)
{
    m_top = std::make_shared<TRegistryKey>();
    bool added = false;
    m_currentUser = m_top->AddSubkey(kCurrentUserRoot, added);
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
    const TRegistryFile::TReadResult read = m_file.ReadAll();
    TRegFileContent content;
    if (read.Status == TRegistryFile::TReadStatus::Read)
        content = ReadRegFile(read.Bytes);
    else
        content.Top = std::make_shared<TRegistryKey>();
    // A file that exists but did not parse whole (or could not be read at all)
    // is kept as a copy before the first write replaces it.
    m_lastReadWhole = read.Status != TRegistryFile::TReadStatus::Failed && content.Whole;
    m_needsBackup = read.Status != TRegistryFile::TReadStatus::Missing && !m_lastReadWhole;
    m_top = std::move(content.Top);
    bool added = false;
    m_currentUser = m_top->AddSubkey(kCurrentUserRoot, added);
    m_used = 0;
    for (const auto& hive : m_top->Subkeys())
        m_used += hive.Item->Footprint(hive.Name);
}

void TRegistryStore::Flush()
{
    const std::string text = WriteRegFile(*m_top);
    if (text.size() > kMaxRegistryFileBytes) {
        m_writeFailed = true;
        return;
    }
    if (m_needsBackup) {
        if (!m_file.KeepBackup()) {
            m_writeFailed = true;
            return;
        }
        m_needsBackup = false;
    }
    if (!m_file.WriteAll(text))
        m_writeFailed = true;
}

} // namespace mecovnik

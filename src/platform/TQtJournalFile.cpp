#include "platform/TQtJournalFile.h"

#include "history/FightJournalFormat.h"
#include "platform/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mecovnik {

namespace {

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the folder when missing, open to its owner only; its entry in the
// folder above is synced, or a power cut could lose the journal with it.
bool MakeFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists() || !QDir().mkpath(folder))
        return false;
    return ::chmod(Native(folder).constData(), S_IRWXU) == 0 &&
           SyncFolder(QFileInfo(folder).absolutePath());
}

} // namespace

TQtJournalFile::TQtJournalFile(QString folder) : m_folder(std::move(folder)) {}

TQtJournalFile::~TQtJournalFile()
{
    CloseAppend();
    if (m_lock >= 0)
        ::close(m_lock); // releases the lock
}

QString TQtJournalFile::DefaultFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/mecovnik");
}

QString TQtJournalFile::Path() const
{
    return m_folder + QStringLiteral("/fight.journal");
}

QString TQtJournalFile::BackupPath() const
{
    return Path() + QStringLiteral(".bak");
}

QString TQtJournalFile::LockPath() const
{
    return m_folder + QStringLiteral("/fight.lock");
}

void TQtJournalFile::CloseAppend()
{
    if (m_append >= 0)
        ::close(m_append);
    m_append = -1;
}

bool TQtJournalFile::Claim()
{
    if (m_lock >= 0)
        return true;
    if (!MakeFolder(m_folder))
        return false;
    // The lock file stays: removing it would let two copies lock two files.
    const int fd = ::open(Native(LockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return false;
    }
    m_lock = fd;
    return true;
}

TJournalFile::TReadResult TQtJournalFile::ReadAll()
{
    if (m_lock < 0)
        return {TReadStatus::Failed, {}};
    const int fd = ::open(Native(Path()).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return {errno == ENOENT ? TReadStatus::Missing : TReadStatus::Failed, {}};
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > kMaxJournalBytes) {
            ::close(fd);
            return {TReadStatus::Failed, {}};
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return {TReadStatus::Read, std::move(bytes)};
}

bool TQtJournalFile::Append(std::string_view bytes)
{
    if (m_lock < 0)
        return false;
    if (m_append < 0) {
        // Only Replace makes the journal: an append never starts one.
        m_append = ::open(Native(Path()).constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
        if (m_append < 0)
            return false;
    }
    return WriteAll(m_append, bytes) && SyncDescriptor(m_append, true);
}

bool TQtJournalFile::Replace(std::string_view bytes)
{
    if (m_lock < 0)
        return false;
    const QString temporary = Path() + QStringLiteral(".new");
    const QByteArray temporaryName = Native(temporary);
    const int fd = ::open(temporaryName.constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    const bool written =
        ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && WriteAll(fd, bytes) && SyncDescriptor(fd, true);
    if (::close(fd) != 0 || !written) {
        ::unlink(temporaryName.constData());
        return false;
    }
    CloseAppend(); // it would write to the file being replaced
    if (::rename(temporaryName.constData(), Native(Path()).constData()) != 0) {
        ::unlink(temporaryName.constData());
        return false;
    }
    return SyncFolder(m_folder);
}

bool TQtJournalFile::Remove()
{
    if (m_lock < 0)
        return false;
    CloseAppend();
    if (::unlink(Native(Path()).constData()) != 0 && errno != ENOENT)
        return false;
    return SyncFolder(m_folder);
}

bool TQtJournalFile::KeepBackup()
{
    if (m_lock < 0)
        return false;
    CloseAppend();
    if (::rename(Native(Path()).constData(), Native(BackupPath()).constData()) != 0)
        return errno == ENOENT;
    return SyncFolder(m_folder);
}

} // namespace mecovnik

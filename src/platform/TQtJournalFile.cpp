#include "platform/TQtJournalFile.h"

#include "components/LogCategories.h"
#include "components/QtText.h"
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

// Logs a failed step with the system's reason.
void Warn(const char* step, const QString& path, int error)
{
    LogFailure(lcJournal(), step, path, error);
}

void WarnNotRegular(const char* step, const QString& path)
{
    LogFailure(lcJournal(), step, path, "not a regular file");
}

// What stands at a path: nothing, a regular file, or something else (a
// folder, a link, a FIFO, a socket, a device).
enum class TKind
{
    Missing,
    Regular,
    Other,
    Unknown, // lstat failed otherwise; errno tells why
};

TKind KindAt(const QByteArray& path)
{
    struct stat st
    {
    };
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT ? TKind::Missing : TKind::Unknown;
    return S_ISREG(st.st_mode) ? TKind::Regular : TKind::Other;
}

// Opens a regular file without following a link and without waiting; -1 with
// errno set when that fails, or with notRegular set when something else
// stands there (which is then never opened, so a device's open never acts).
int OpenRegular(const QByteArray& path, int flags, bool& notRegular, mode_t mode = 0)
{
    notRegular = false;
    const TKind kind = KindAt(path);
    if (kind == TKind::Other) {
        notRegular = true;
        return -1;
    }
    if (kind == TKind::Unknown || (kind == TKind::Missing && !(flags & O_CREAT))) {
        if (kind == TKind::Missing)
            errno = ENOENT;
        return -1;
    }
    const int fd = ::open(path.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0) {
        notRegular = errno == ELOOP;
        return -1;
    }
    // Something may have been put there between the look and the open.
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        notRegular = true;
        return -1;
    }
    return fd;
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

// Removes a temporary file a failed replacement left; one that stays is
// removed before the next replacement.
void RemoveLeftover(const QString& path)
{
    if (::unlink(Native(path).constData()) != 0 && errno != ENOENT)
        Warn("remove", path, errno);
}

bool Synced(const QString& folder)
{
    return SyncFolderOrLog(folder, lcJournal());
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

QString TQtJournalFile::TemporaryPath() const
{
    return Path() + QStringLiteral(".new");
}

std::string TQtJournalFile::Folder() const
{
    return ToStdString(m_folder);
}

void TQtJournalFile::CloseAppend()
{
    if (m_append >= 0)
        ::close(m_append);
    m_append = -1;
}

int TQtJournalFile::OpenLock()
{
    const QByteArray path = Native(LockPath());
    bool notRegular = false;
    int fd = OpenRegular(path, O_RDWR | O_CREAT, notRegular, S_IRUSR | S_IWUSR);
    if (fd < 0 && notRegular) {
        // No copy of the program locks anything but a regular file, so what
        // stands there is no one's lock: it makes way for one.
        WarnNotRegular("lock", LockPath());
        if (::unlink(path.constData()) == 0)
            fd = OpenRegular(path, O_RDWR | O_CREAT, notRegular, S_IRUSR | S_IWUSR);
    }
    if (fd < 0 && !notRegular && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A folder that cannot be written: the lock left there can still be
        // taken through a descriptor open for reading.
        fd = OpenRegular(path, O_RDONLY, notRegular);
    }
    if (fd < 0) {
        if (notRegular)
            WarnNotRegular("lock", LockPath());
        else
            Warn("lock", LockPath(), errno);
    }
    return fd;
}

bool TQtJournalFile::Claim()
{
    if (m_lock >= 0)
        return true;
    if (!MakePrivateFolder(m_folder, lcJournal()))
        return false;
    // The lock file stays: removing it would let two copies lock two files.
    const int fd = OpenLock();
    if (fd < 0)
        return false;
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        if (errno == EWOULDBLOCK)
            LogFailure(lcJournal(), "lock", LockPath(), "another copy of the program holds it");
        else
            Warn("lock", LockPath(), errno);
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
    bool notRegular = false;
    const int fd = OpenRegular(Native(Path()), O_RDONLY, notRegular);
    if (fd < 0) {
        if (!notRegular && errno == ENOENT)
            return {TReadStatus::Missing, {}};
        if (notRegular)
            WarnNotRegular("read", Path());
        else
            Warn("read", Path(), errno);
        return {TReadStatus::Failed, {}};
    }
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t got = ReadSome(fd, buffer, sizeof buffer);
        if (got < 0) {
            Warn("read", Path(), errno);
            ::close(fd);
            return {TReadStatus::Failed, {}};
        }
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxJournalBytes) {
            LogFailure(lcJournal(), "read", Path(), "larger than a journal can be");
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
    // Only Replace makes the journal, and appends go to the file it made.
    if (m_lock < 0 || m_append < 0)
        return false;
    if (!WriteAll(m_append, bytes) || !SyncDescriptor(m_append, true)) {
        Warn("append", Path(), errno);
        return false;
    }
    return true;
}

bool TQtJournalFile::Replace(std::string_view bytes)
{
    if (m_lock < 0)
        return false;
    const QString temporary = TemporaryPath();
    const QByteArray temporaryName = Native(temporary);
    // Whatever stands at the temporary name (a leftover of a crash, or a link
    // someone put there) goes; the file is made anew, so no byte is written
    // through a link or into another name of some other file.
    if (::unlink(temporaryName.constData()) != 0 && errno != ENOENT) {
        Warn("remove", temporary, errno);
        return false;
    }
    const int fd = ::open(temporaryName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        Warn("create", temporary, errno);
        return false;
    }
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !WriteAll(fd, bytes) || !SyncDescriptor(fd, true)) {
        Warn("write", temporary, errno);
        ::close(fd);
        RemoveLeftover(temporary);
        return false;
    }
    if (::rename(temporaryName.constData(), Native(Path()).constData()) != 0) {
        Warn("rename", temporary, errno);
        ::close(fd);
        RemoveLeftover(temporary);
        return false;
    }
    // Appends go on in the file just made, never in one found by its name.
    CloseAppend();
    m_append = fd;
    return Synced(m_folder);
}

bool TQtJournalFile::Remove()
{
    if (m_lock < 0)
        return false;
    CloseAppend();
    const QByteArray path = Native(Path());
    if (::unlink(path.constData()) == 0)
        return Synced(m_folder);
    if (errno == ENOENT)
        return true;
    Warn("remove", Path(), errno);
    // An empty journal holds no fight: emptied, it is as good as gone.
    bool notRegular = false;
    const int fd = OpenRegular(path, O_WRONLY, notRegular);
    if (fd < 0) {
        if (notRegular)
            WarnNotRegular("empty", Path());
        else
            Warn("empty", Path(), errno);
        return false;
    }
    const bool emptied = ::ftruncate(fd, 0) == 0 && SyncDescriptor(fd, true);
    if (!emptied)
        Warn("empty", Path(), errno);
    ::close(fd);
    return emptied;
}

bool TQtJournalFile::KeepBackup()
{
    if (m_lock < 0)
        return false;
    CloseAppend();
    if (::rename(Native(Path()).constData(), Native(BackupPath()).constData()) != 0) {
        if (errno == ENOENT)
            return true;
        Warn("set aside", Path(), errno);
        return false;
    }
    return Synced(m_folder);
}

} // namespace mecovnik

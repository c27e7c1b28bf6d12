#include "platform/TQtRegistryFile.h"

#include "components/LogCategories.h"
#include "platform/FileSync.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mecovnik {

namespace {

void Warn(const char* step, const QString& path, int error)
{
    LogFailure(lcStore(), step, path, error);
}

bool Synced(const QString& folder)
{
    return SyncFolderOrLog(folder, lcStore());
}

// Writes what source produces into path through a QSaveFile; write is called
// with the open file and reports success.
template <typename TWrite> bool ReplaceFile(const QString& path, TWrite&& write)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!MakePrivateFolder(folder, lcStore()))
        return false;
    QSaveFile file(path);
    // Never fall back to writing the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        LogFailure(lcStore(), "create", file);
        return false;
    }
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        Warn("chmod", path, errno);
        file.cancelWriting();
        return false;
    }
    // A write that fails says why through the file (or logs a failed read
    // itself).
    if (!write(file) || !file.flush()) {
        if (file.error() != QFileDevice::NoError)
            LogFailure(lcStore(), "write", file);
        file.cancelWriting();
        return false;
    }
    if (!SyncDescriptor(file.handle())) {
        Warn("sync", path, errno);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        LogFailure(lcStore(), "replace", file);
        return false;
    }
    return Synced(folder);
}

constexpr int kMissing = -2;

// Opens the file for reading without ever blocking (a FIFO in its place would
// wait for a writer): a descriptor when it is a regular file, or a link to
// one; kMissing when there is none; -1 for anything else.
int OpenRegular(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return kMissing;
        Warn("open", path, errno);
        return -1;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0) {
        Warn("open", path, errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        LogFailure(lcStore(), "open", path, "not a regular file");
        ::close(fd);
        return -1;
    }
    // Reads of a regular file never block; the flag is taken off all the same.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        Warn("open", path, errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TQtRegistryFile::TQtRegistryFile(QString path) : m_path(std::move(path)) {}

QString TQtRegistryFile::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mecovnik/registry.reg");
}

TRegistryFile::TReadResult TQtRegistryFile::ReadAll()
{
    const int fd = OpenRegular(m_path);
    if (fd == kMissing)
        return {TReadStatus::Missing, {}};
    if (fd < 0)
        return {TReadStatus::Failed, {}};
    TReadResult result{TReadStatus::Read, {}};
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        result.Bytes.reserve(
            std::min(static_cast<std::size_t>(info.st_size), kMaxRegistryFileBytes));
    // Read in pieces up to the limit, and one byte past it to tell whether the
    // file goes on: the size may change under us.
    char buffer[65536];
    while (result.Bytes.size() <= kMaxRegistryFileBytes) {
        const std::size_t want =
            std::min(sizeof buffer, kMaxRegistryFileBytes + 1 - result.Bytes.size());
        const ssize_t got = ReadSome(fd, buffer, want);
        if (got < 0) {
            Warn("read", m_path, errno);
            ::close(fd);
            return {TReadStatus::Failed, {}};
        }
        if (got == 0)
            break;
        result.Bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (result.Bytes.size() > kMaxRegistryFileBytes) {
        result.Bytes.resize(kMaxRegistryFileBytes);
        result.Truncated = true;
    }
    return result;
}

bool TQtRegistryFile::WriteAll(std::string_view bytes)
{
    // Something that is no regular file is never replaced.
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(m_path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        LogFailure(lcStore(), "write", m_path, "not a regular file");
        return false;
    }
    return ReplaceFile(m_path, [bytes](QSaveFile& file) {
        const auto size = static_cast<qint64>(bytes.size());
        return file.write(bytes.data(), size) == size;
    });
}

bool TQtRegistryFile::KeepBackup()
{
    const int fd = OpenRegular(m_path);
    if (fd == kMissing)
        return true;
    if (fd < 0)
        return false;
    // A second name for the file as it is: the save that follows puts a new
    // file in its place and leaves this one alone.
    const QByteArray from = QFile::encodeName(m_path);
    const QByteArray backup = QFile::encodeName(BackupPath());
    const QString linkedPath = BackupPath() + QStringLiteral(".new");
    const QByteArray linked = QFile::encodeName(linkedPath);
    const auto removeLinked = [&] {
        if (::unlink(linked.constData()) != 0 && errno != ENOENT)
            Warn("remove", linkedPath, errno);
    };
    removeLinked();
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, linked.constData(), AT_SYMLINK_FOLLOW) ==
        0) {
        if (::rename(linked.constData(), backup.constData()) != 0) {
            Warn("rename", linkedPath, errno);
        } else if (Synced(QFileInfo(m_path).absolutePath())) {
            ::close(fd);
            return true;
        }
        removeLinked();
    } else {
        // Expected on some file systems: the copy below does the job.
        qCDebug(lcStore, "link %s: %s", qUtf8Printable(linkedPath), std::strerror(errno));
    }
    // Where no link can be made (another file system, no permission), a copy.
    const bool copied = ReplaceFile(BackupPath(), [this, fd](QSaveFile& copy) {
        char buffer[65536];
        while (true) {
            const ssize_t got = ReadSome(fd, buffer, sizeof buffer);
            if (got < 0) {
                Warn("read", m_path, errno);
                return false;
            }
            if (got == 0)
                return true;
            if (copy.write(buffer, got) != got)
                return false;
        }
    });
    ::close(fd);
    return copied;
}

} // namespace mecovnik

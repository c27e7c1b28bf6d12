#include "platform/DocumentFile.h"

#include "components/LogCategories.h"
#include "platform/FileSync.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mecovnik {

namespace {

const QString kNotRegular = QStringLiteral("není to obyčejný soubor");
const QString kFolder = QStringLiteral("je to složka");

// Why something other than a regular file cannot be a document.
QString KindProblem(mode_t mode)
{
    return S_ISDIR(mode) ? kFolder : kNotRegular;
}

// Writes all of bytes to fd; false with errno set.
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

} // namespace

QString FileErrorText(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("soubor nebo složka neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case EROFS:
        return QStringLiteral("disk je jen pro čtení");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("na disku není dost místa");
    case EFBIG:
        return QStringLiteral("soubor je pro disk příliš velký");
    case EISDIR:
        return kFolder;
    case ENOTDIR:
        return QStringLiteral("část cesty není složka");
    case ENAMETOOLONG:
        return QStringLiteral("cesta je příliš dlouhá");
    case ELOOP:
        return QStringLiteral("příliš mnoho odkazů za sebou");
    case EIO:
        return QStringLiteral("chyba čtení nebo zápisu na disku");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("program má otevřeno příliš mnoho souborů");
    case ENOMEM:
        return QStringLiteral("nedostatek paměti");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("soubor je používán");
    default:
        return QStringLiteral("chyba systému č. %1 (%2)")
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

TDocumentRead ReadDocumentFile(const QString& path, std::size_t limit,
                               const QLoggingCategory& category)
{
    TDocumentRead read;
    const QByteArray name = QFile::encodeName(path);
    const auto failed = [&](const char* step, int error) {
        LogFailure(category, step, path, error);
        read.Problem = FileErrorText(error);
        return read;
    };
    // A device is never opened (opening one may do something); a FIFO is
    // opened without waiting for a writer, then refused.
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0)
        return failed("open", errno);
    if (!S_ISREG(info.st_mode)) {
        LogFailure(category, "open", path, "not a regular file");
        read.Problem = KindProblem(info.st_mode);
        return read;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failed("open", errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(fd);
        if (S_ISREG(info.st_mode))
            return failed("open", error);
        LogFailure(category, "open", path, "not a regular file");
        read.Problem = KindProblem(info.st_mode);
        return read;
    }
    read.Bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), limit) + 1);
    char buffer[65536];
    while (read.Bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - read.Bytes.size());
        const ssize_t got = ReadSome(fd, buffer, want);
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            read.Bytes.clear();
            return failed("read", error);
        }
        if (got == 0)
            break;
        read.Bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    read.BeyondLimit = read.Bytes.size() > limit;
    return read;
}

QString DocumentTemporaryPath(const QString& path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".novy");
}

QString WriteDocumentFile(const QString& path, std::string_view bytes,
                          const QLoggingCategory& category, bool privateFile)
{
    QString target = path;
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // The user's link stays; the file it leads to gets the new content.
        target = QFileInfo(path).canonicalFilePath();
        if (target.isEmpty()) {
            LogFailure(category, "write", path, "a link that leads nowhere");
            return QStringLiteral("odkaz nevede na žádný soubor");
        }
    }
    const QByteArray name = QFile::encodeName(target);
    bool existed = false;
    mode_t mode = privateFile ? S_IRUSR | S_IWUSR : 0666;
    if (::stat(name.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            LogFailure(category, "write", target, "not a regular file");
            return KindProblem(info.st_mode);
        }
        existed = true;
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        LogFailure(category, "write", target, errno);
        return FileErrorText(errno);
    }

    const QString temporary = DocumentTemporaryPath(target);
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const auto failed = [&](const char* step, const QString& where, int error, int fd) {
        LogFailure(category, step, where, error);
        if (fd >= 0)
            ::close(fd);
        if (fd >= 0 && ::unlink(temporaryName.constData()) != 0)
            LogFailure(category, "remove", temporary, errno);
        return FileErrorText(error);
    };
    // Whatever stands under the temporary name (left by a crash, or planted)
    // goes; the new file is made anew, so nothing is written through a link.
    if (::unlink(temporaryName.constData()) != 0 && errno != ENOENT)
        qCDebug(category, "remove %s: %s", qUtf8Printable(temporary), std::strerror(errno));
    const int fd = ::open(temporaryName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return failed("create", temporary, errno, -1);
    // A replaced document keeps its mode whatever the umask; a private one is
    // its owner's alone.
    if ((existed || privateFile) && ::fchmod(fd, mode) != 0)
        return failed("chmod", temporary, errno, fd);
    if (!WriteAll(fd, bytes))
        return failed("write", temporary, errno, fd);
    if (!SyncDescriptor(fd))
        return failed("sync", temporary, errno, fd);
    if (::close(fd) != 0) {
        const int error = errno;
        (void)::unlink(temporaryName.constData());
        return failed("close", temporary, error, -1);
    }
    if (::rename(temporaryName.constData(), name.constData()) != 0) {
        const int error = errno;
        if (::unlink(temporaryName.constData()) != 0)
            LogFailure(category, "remove", temporary, errno);
        return failed("replace", target, error, -1);
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!SyncFolder(folder)) {
        // The document is in place; only a power cut now could lose it.
        LogFailure(category, "sync", folder, errno);
    }
    return {};
}

} // namespace mecovnik

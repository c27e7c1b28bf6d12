#include "platform/FileSync.h"

#include "components/LogCategories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mecovnik {

bool SyncDescriptor(int fd, bool dataOnly)
{
    int result = 0;
    do
        result = dataOnly ? ::fdatasync(fd) : ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool SyncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = SyncDescriptor(fd);
    return ::close(fd) == 0 && synced;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    ssize_t got = 0;
    do
        got = ::read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}

bool SyncFolderOrLog(const QString& folder, const QLoggingCategory& category)
{
    if (SyncFolder(folder))
        return true;
    LogFailure(category, "sync", folder, errno);
    return false;
}

bool MakePrivateFolder(const QString& folder, const QLoggingCategory& category)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink()) {
        LogFailure(category, "make", folder, "something else stands there");
        return false;
    }
    errno = 0;
    if (!QDir().mkpath(folder)) {
        LogFailure(category, "make", folder, errno);
        return false;
    }
    if (::chmod(QFile::encodeName(folder).constData(), S_IRWXU) != 0) {
        LogFailure(category, "chmod", folder, errno);
        return false;
    }
    return SyncFolderOrLog(QFileInfo(folder).absolutePath(), category);
}

} // namespace mecovnik

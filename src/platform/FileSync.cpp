#include "platform/FileSync.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
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

} // namespace mecovnik

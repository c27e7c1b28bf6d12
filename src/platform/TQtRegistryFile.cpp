#include "platform/TQtRegistryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mecovnik {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Makes the file's folder when missing, readable by its owner only.
bool MakeFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists())
        return false; // something else stands where the folder belongs
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner);
}

bool SyncFolder(const QString& folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int result = 0;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    const bool synced = result == 0;
    return ::close(fd) == 0 && synced;
}

bool SyncFile(int fd)
{
    int result = 0;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// Writes what source produces into path through a QSaveFile; write is called
// with the open file and reports success.
template <typename TWrite> bool ReplaceFile(const QString& path, TWrite&& write)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!MakeFolder(folder))
        return false;
    QSaveFile file(path);
    // Never fall back to writing the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0 || !write(file) || !file.flush() ||
        !SyncFile(file.handle())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    return SyncFolder(folder);
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
    QFile file(m_path);
    if (!file.exists())
        return {TReadStatus::Missing, {}};
    if (!file.open(QIODevice::ReadOnly))
        return {TReadStatus::Failed, {}};
    const qint64 size = file.size();
    if (size < 0 || static_cast<quint64>(size) > kMaxRegistryFileBytes)
        return {TReadStatus::Failed, {}};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    // Read in pieces up to the limit: the size may change under us.
    char buffer[65536];
    while (true) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0)
            return {TReadStatus::Failed, {}};
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > kMaxRegistryFileBytes)
            return {TReadStatus::Failed, {}};
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {TReadStatus::Read, std::move(bytes)};
}

bool TQtRegistryFile::WriteAll(std::string_view bytes)
{
    return ReplaceFile(m_path, [bytes](QSaveFile& file) {
        const auto size = static_cast<qint64>(bytes.size());
        return file.write(bytes.data(), size) == size;
    });
}

bool TQtRegistryFile::KeepBackup()
{
    QFile current(m_path);
    if (!current.exists())
        return true;
    if (!current.open(QIODevice::ReadOnly))
        return false;
    return ReplaceFile(BackupPath(), [&current](QSaveFile& copy) {
        char buffer[65536];
        while (true) {
            const qint64 got = current.read(buffer, sizeof buffer);
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            if (copy.write(buffer, got) != got)
                return false;
        }
    });
}

} // namespace mecovnik

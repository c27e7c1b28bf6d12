#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// What tests put in a file's place, and how they look at what is there.

namespace mecovnik::test {

// The permission bits of a path: owner, group, others.
inline unsigned Mode(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0xFFFF;
    return st.st_mode & 0777u;
}

// The kind of what stands at a path, not following a link: 'f' a regular
// file, 'p' a FIFO, 's' a socket, 'l' a link, 'd' a folder, '-' nothing.
inline char KindAt(const QString& path)
{
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return '-';
    if (S_ISREG(st.st_mode))
        return 'f';
    if (S_ISFIFO(st.st_mode))
        return 'p';
    if (S_ISSOCK(st.st_mode))
        return 's';
    if (S_ISLNK(st.st_mode))
        return 'l';
    return S_ISDIR(st.st_mode) ? 'd' : '?';
}

inline bool MakeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Makes a file or folder unwritable for this process, root included: its mode,
// and for root the file system's immutable flag (a folder then takes no new
// name and loses none, as a folder of mode 0500 does for its owner). Undone
// when it goes.
class TUnwritable final
{
public:
    explicit TUnwritable(QString path) : m_path(std::move(path))
    {
        const QByteArray name = QFile::encodeName(m_path);
        struct stat st
        {
        };
        if (::stat(name.constData(), &st) != 0)
            return;
        m_mode = st.st_mode & 07777;
        ::chmod(name.constData(), S_ISDIR(st.st_mode) ? 0500 : 0400);
        if (::geteuid() == 0)
            m_immutable = SetImmutable(true);
    }
    ~TUnwritable()
    {
        if (m_immutable)
            SetImmutable(false);
        ::chmod(QFile::encodeName(m_path).constData(), m_mode);
    }
    Q_DISABLE_COPY_MOVE(TUnwritable)

    // Whether this process really cannot write it.
    [[nodiscard]] bool Works() const { return ::geteuid() != 0 || m_immutable; }

private:
    bool SetImmutable(bool on) const
    {
        const int fd =
            ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QString m_path;
    mode_t m_mode = 0700;
    bool m_immutable = false;
};

} // namespace mecovnik::test

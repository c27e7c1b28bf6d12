#include "components/TInstanceLock.h"

#include "components/LogCategories.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace mecovnik {

namespace {

// What a later copy sends: "come to the front", and after a zero byte the
// path of a file to open, at most PATH_MAX - 1 bytes (PATH_MAX counts the
// zero that ends a path).
constexpr char kRequest[] = "mecovnik:raise";
constexpr std::size_t kRequestSize = sizeof(kRequest) - 1;
constexpr std::size_t kLongestRequest = kRequestSize + 1 + PATH_MAX - 1;

// The datagram asking to come to the front and open file.
QByteArray RequestFor(const QString& file)
{
    QByteArray request(kRequest, kRequestSize);
    const QByteArray path = QFile::encodeName(file);
    if (!path.isEmpty() && !path.contains('\0')) {
        request += '\0';
        request += path;
    }
    return request;
}

// A later copy that finds the lock held but nobody listening yet (the holder
// is between taking the lock and binding its socket, or is just ending) tries
// again for this long before it gives up.
constexpr int kAttempts = 20;
constexpr auto kAttemptPause = std::chrono::milliseconds(10);

// The name as one file name: "/", "%", control characters and a leading "."
// are written as %XX, everything else is kept.
QString EscapedName(const QString& name)
{
    const QByteArray bytes = name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '/' || c == '%' || c < 0x20 || c == 0x7f || (i == 0 && c == '.'))
            out += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        else
            out += static_cast<char>(c);
    }
    return QString::fromUtf8(out);
}

// FNV-1a over the name: a short, stable name where the readable one would be
// too long for a file name or a socket address.
QString HashedName(const QString& name)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name.toUtf8()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return QStringLiteral("mecovnik-%1").arg(hash, 16, 16, QLatin1Char('0'));
}

// The files' name without its ending: the escaped name while it fits a file name.
QString BaseName(const QString& name)
{
    constexpr qsizetype kLongestEnding = 7; // ".socket"
    const QString escaped = EscapedName(name);
    return escaped.toUtf8().size() + kLongestEnding <= NAME_MAX ? escaped : HashedName(name);
}

// The socket's path, or empty when even the short name does not fit.
QByteArray SocketPath(const QString& directory, const QString& name)
{
    constexpr std::size_t limit = sizeof(sockaddr_un::sun_path);
    const QDir dir(directory);
    QByteArray path = QFile::encodeName(dir.filePath(TInstanceLock::SocketFileName(name)));
    if (static_cast<std::size_t>(path.size()) < limit)
        return path;
    path = QFile::encodeName(dir.filePath(HashedName(name) + QStringLiteral(".socket")));
    if (static_cast<std::size_t>(path.size()) < limit)
        return path;
    return {};
}

void Warn(const char* step, const QByteArray& path, int error)
{
    LogFailure(lcInstance(), step, QFile::decodeName(path), error);
}

// Removes the socket's file; one that is not there is no failure.
void RemoveSocketFile(const QByteArray& path)
{
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        Warn("remove", path, errno);
}

bool FillAddress(sockaddr_un& address, const QByteArray& path)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

// Tries the lock once: 1 taken, 0 held by another process, -1 no locking possible.
int TryLock(int fd)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 1;
        if (errno == EINTR)
            continue;
        return errno == EWOULDBLOCK ? 0 : -1;
    }
}

} // namespace

TInstanceLock::TInstanceLock() = default;

TInstanceLock::~TInstanceLock()
{
    m_notifier.reset();
    if (m_socketFd >= 0) {
        ::close(m_socketFd);
        // Only the lock holder ever creates or removes the socket, and it
        // still holds the lock here.
        RemoveSocketFile(m_socketPath);
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString TInstanceLock::LockFileName(const QString& name)
{
    return BaseName(name) + QStringLiteral(".lock");
}

QString TInstanceLock::SocketFileName(const QString& name)
{
    return BaseName(name) + QStringLiteral(".socket");
}

TInstanceLock::TResult TInstanceLock::Acquire(const QString& directory, const QString& name,
                                              std::function<void(const QString&)> onRequest,
                                              const QString& file)
{
    if (directory.isEmpty() || name.isEmpty())
        return TResult::NoLock;
    const QByteArray lockPath = QFile::encodeName(QDir(directory).filePath(LockFileName(name)));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        Warn("open", lockPath, errno);
        return TResult::NoLock;
    }
    for (int attempt = 0;; ++attempt) {
        const int locked = TryLock(fd);
        if (locked < 0) {
            Warn("lock", lockPath, errno);
            ::close(fd);
            return TResult::NoLock;
        }
        if (locked > 0) {
            m_lockFd = fd;
            m_onRequest = std::move(onRequest);
            Listen(directory, name);
            return TResult::FirstCopy;
        }
        // Held: ask the holder; if it cannot be reached it may be ending, so
        // look at the lock again before giving up.
        if (SignalHolder(directory, name, file) || attempt + 1 >= kAttempts)
            break;
        std::this_thread::sleep_for(kAttemptPause);
    }
    ::close(fd);
    return TResult::SecondCopy;
}

bool TInstanceLock::SignalHolder(const QString& directory, const QString& name, const QString& file)
{
    QByteArray request = RequestFor(file);
    if (static_cast<std::size_t>(request.size()) > kLongestRequest) {
        // No such path can be opened; the holder still comes to the front.
        LogFailure(lcInstance(), "hand over", file, "longer than any path");
        request = RequestFor({});
    }
    sockaddr_un address{};
    if (!FillAddress(address, SocketPath(directory, name)))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        Warn("socket", SocketPath(directory, name), errno);
        return false;
    }
    ssize_t sent = -1;
    do {
        sent = ::sendto(fd, request.constData(), static_cast<std::size_t>(request.size()),
                        MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (sent < 0 && errno == EINTR);
    // A full queue means requests are already waiting to be read: enough.
    const bool delivered = sent >= 0 || errno == EAGAIN;
    if (!delivered) // nobody listening yet is part of the wait: only for debugging
        qCDebug(lcInstance, "send %s: %s", SocketPath(directory, name).constData(),
                std::strerror(errno));
    ::close(fd);
    return delivered;
}

void TInstanceLock::Listen(const QString& directory, const QString& name)
{
    sockaddr_un address{};
    const QByteArray path = SocketPath(directory, name);
    if (!FillAddress(address, path)) {
        LogFailure(lcInstance(), "bind", directory, "no socket name fits below this folder");
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        Warn("socket", path, errno);
        return;
    }
    // A socket file left by a killed holder; nobody else may touch it while
    // the lock is ours.
    RemoveSocketFile(path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Warn("bind", path, errno);
        ::close(fd);
        return;
    }
    // The runtime folder is the user's alone already; this is one more fence.
    if (::chmod(path.constData(), 0600) != 0)
        Warn("chmod", path, errno);
    m_socketFd = fd;
    m_socketPath = path;
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { ReadRequests(); });
}

void TInstanceLock::ReadRequests()
{
    char buffer[kLongestRequest];
    for (;;) {
        // MSG_TRUNC: the datagram's whole size, also of one too long to take.
        const ssize_t got = ::recv(m_socketFd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                Warn("receive", m_socketPath, errno);
            return;
        }
        const auto size = static_cast<std::size_t>(got);
        // The request, alone or followed by a zero and a path.
        if (size < kRequestSize || std::memcmp(buffer, kRequest, kRequestSize) != 0 ||
            (size > kRequestSize && buffer[kRequestSize] != '\0') || !m_onRequest)
            continue;
        if (size == kRequestSize) {
            m_onRequest({});
            continue;
        }
        // A path must follow the zero whole, and hold no zero itself.
        const std::string_view path(buffer + kRequestSize + 1,
                                    std::min(size, sizeof buffer) - kRequestSize - 1);
        if (size > sizeof buffer || path.empty() || path.find('\0') != std::string_view::npos) {
            LogFailure(lcInstance(), "receive", QFile::decodeName(m_socketPath),
                       "a request with a file that is no path");
            m_onRequest({});
            continue;
        }
        m_onRequest(
            QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
    }
}

} // namespace mecovnik

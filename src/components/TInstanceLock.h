#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace mecovnik {

// A per-user mark that one copy of the program runs, and the way a later copy
// tells it to come to the front.
//
// The mark is an exclusive flock() on "<name>.lock" in a private directory
// (the user's runtime directory). The kernel drops the lock when the holder
// ends, however it ends, so a killed copy never blocks the next start. Beside
// the lock the holder listens on a Unix datagram socket "<name>.socket"; a
// later copy sends one datagram there without waiting for an answer: the
// request, then a zero byte and the path of a file to open when it has one.
class TInstanceLock final
{
public:
    enum class TResult
    {
        // This process holds the lock now, for as long as the object lives.
        FirstCopy,
        // Another process holds it; the holder has been asked to come to the front.
        SecondCopy,
        // No lock could be made (no directory, a file in the way, no locking on
        // that file system): the caller goes on as if it were the first copy.
        NoLock,
    };

    TInstanceLock();
    ~TInstanceLock();
    Q_DISABLE_COPY_MOVE(TInstanceLock)

    // Takes the lock named after name in directory, or signals its holder,
    // handing it file when not empty. onRequest is called (from the event
    // loop) each time a later copy asks this holder to come to the front,
    // with the file that copy handed over (empty for none). Call once.
    TResult Acquire(const QString& directory, const QString& name,
                    std::function<void(const QString& file)> onRequest, const QString& file = {});

    // The file names used for name, as found in the directory.
    [[nodiscard]] static QString LockFileName(const QString& name);
    [[nodiscard]] static QString SocketFileName(const QString& name);

    // Sends the "come to the front" request to the holder of name in
    // directory, with file when not empty; false when nobody listens there.
    static bool SignalHolder(const QString& directory, const QString& name,
                             const QString& file = {});

private:
    void Listen(const QString& directory, const QString& name);
    void ReadRequests();

    int m_lockFd = -1;
    int m_socketFd = -1;
    QByteArray m_socketPath;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(const QString&)> m_onRequest;
};

} // namespace mecovnik

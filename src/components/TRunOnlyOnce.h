#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace mecovnik {

class TInstanceLock;

// The single-instance guard. Its check, run once its properties are set while
// the main window is being made, decides whether this process is the first
// copy of the program on the user's desktop. A later copy asks the first one
// to come to the front and must then end with exit code 0 before it shows any
// window. The first copy holds its lock for as long as the guard lives (the
// kernel releases it when the process dies); each later start reaches it as
// the signal AnotherCopyStarted (and FileHandedOver when it was started with
// a file), and as a TAppMessageEvent of type RegisteredMessage posted to the
// application.
class TRunOnlyOnce final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString MessageString READ MessageString WRITE SetMessageString)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    explicit TRunOnlyOnce(QObject* owner = nullptr);
    ~TRunOnlyOnce() override;
    Q_DISABLE_COPY_MOVE(TRunOnlyOnce)

    // The name of the lock and of the registered message; empty: no lock.
    [[nodiscard]] QString MessageString() const { return m_messageString; }
    void SetMessageString(const QString& name) { m_messageString = name; }

    // When false the check does nothing.
    [[nodiscard]] bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    // The file a later copy hands to the running one to open (an absolute
    // path); empty for none. Set before the check.
    [[nodiscard]] QString FileToHand() const { return m_fileToHand; }
    void SetFileToHand(const QString& file) { m_fileToHand = file; }

    // The message number of MessageString, set by the check; 0 before it.
    [[nodiscard]] quint32 RegisteredMessage() const { return m_registeredMessage; }

    // Where the lock lives; empty (the default) means the user's runtime
    // directory, private to the user and to the session.
    [[nodiscard]] QString Directory() const { return m_directory; }
    void SetDirectory(const QString& directory) { m_directory = directory; }

    // The check. Call once, after the properties are set. A lock that cannot
    // be made lets the start go on, without a message.
    void Loaded();

    // True when the check found another copy running (and signalled it).
    [[nodiscard]] bool IsSecondCopy() const { return m_secondCopy; }

signals:
    // A later copy of the program started and asks this one to come to the
    // front. It has ended by the time this is handled.
    void AnotherCopyStarted();
    // That later copy was started with a file, and hands it over to be
    // opened; emitted after AnotherCopyStarted.
    void FileHandedOver(const QString& file);

private:
    QString m_messageString;
    QString m_directory;
    QString m_fileToHand;
    bool m_enabled = true;
    bool m_secondCopy = false;
    quint32 m_registeredMessage = 0;
    std::unique_ptr<TInstanceLock> m_lock;
};

} // namespace mecovnik

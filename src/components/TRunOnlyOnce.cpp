#include "components/TRunOnlyOnce.h"

#include "components/TAppMessageEvent.h"
#include "components/TInstanceLock.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace mecovnik {

TRunOnlyOnce::TRunOnlyOnce(QObject* owner) : QObject(owner) {}

TRunOnlyOnce::~TRunOnlyOnce() = default;

void TRunOnlyOnce::Loaded()
{
    if (!m_enabled || m_lock)
        return;
    m_registeredMessage = TAppMessageEvent::RegisterMessage(m_messageString);
    // An empty name makes an unnamed lock, which no other copy can find.
    if (m_messageString.isEmpty())
        return;
    const QString directory =
        m_directory.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                              : m_directory;
    m_lock = std::make_unique<TInstanceLock>();
    const quint32 message = m_registeredMessage;
    const auto result = m_lock->Acquire(
        directory, m_messageString,
        [this, message](const QString& file) {
            // Posted, never sent: the later copy has long gone when this is handled.
            if (message != 0)
                QCoreApplication::postEvent(QCoreApplication::instance(),
                                            new TAppMessageEvent(message));
            emit AnotherCopyStarted();
            if (!file.isEmpty())
                emit FileHandedOver(file);
        },
        m_fileToHand);
    m_secondCopy = result == TInstanceLock::TResult::SecondCopy;
}

} // namespace mecovnik

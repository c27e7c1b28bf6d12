#include "components/TAppMessageEvent.h"

#include <QHash>
#include <QMutex>

namespace mecovnik {

TAppMessageEvent::TAppMessageEvent(quint32 message) : QEvent(static_cast<QEvent::Type>(message)) {}

TAppMessageEvent::~TAppMessageEvent() = default;

quint32 TAppMessageEvent::RegisterMessage(const QString& name)
{
    if (name.isEmpty())
        return 0;
    static QMutex mutex;
    static QHash<QString, quint32> numbers;
    const QMutexLocker lock(&mutex);
    if (const auto it = numbers.constFind(name); it != numbers.constEnd())
        return *it;
    const int type = QEvent::registerEventType();
    if (type < 0)
        return 0;
    numbers.insert(name, static_cast<quint32>(type));
    return static_cast<quint32>(type);
}

} // namespace mecovnik

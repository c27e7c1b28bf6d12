#pragma once

#include <QEvent>
#include <QString>

namespace mecovnik {

// A message posted to the application object, where the main window's
// application message hook sees it before anything else does. Its type is a
// number registered for a name, as a registered window message is.
class TAppMessageEvent final : public QEvent
{
public:
    explicit TAppMessageEvent(quint32 message);
    ~TAppMessageEvent() override;

    [[nodiscard]] quint32 Message() const { return static_cast<quint32>(type()); }

    // The number for name: the same for the same name for the life of the
    // process, different for different names; 0 for an empty name or when no
    // number is left.
    [[nodiscard]] static quint32 RegisterMessage(const QString& name);
};

} // namespace mecovnik

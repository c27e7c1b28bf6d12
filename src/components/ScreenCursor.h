#pragma once

#include <QCursor>
#include <QtGlobal>

namespace mecovnik {

// Shows a cursor (the hourglass) while a dialog is being made and puts the
// previous one back when restored or destroyed, also when making the dialog throws.
class ScreenCursor final
{
public:
    explicit ScreenCursor(Qt::CursorShape shape = Qt::WaitCursor);
    ~ScreenCursor();
    Q_DISABLE_COPY_MOVE(ScreenCursor)

    // Puts the previous cursor back; a second call does nothing.
    void Restore();

    [[nodiscard]] bool IsActive() const { return m_active; }

private:
    bool m_active = false;
};

} // namespace mecovnik

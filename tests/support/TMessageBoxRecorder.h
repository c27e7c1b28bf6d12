#pragma once

#include "components/MessageBoxes.h"

#include <QList>
#include <QQueue>

#include <optional>

namespace mecovnik::test {

// Answers every message box shown while it lives and records what each showed.
// Boxes are answered from the queue of answers; when it runs dry, a question
// gets No and a notice gets OK.
class TMessageBoxRecorder final
{
public:
    TMessageBoxRecorder();
    Q_DISABLE_COPY_MOVE(TMessageBoxRecorder)

    void Answer(QMessageBox::StandardButton button) { m_answers.enqueue(button); }

    [[nodiscard]] const QList<TMessageBoxRecord>& Shown() const { return m_shown; }
    [[nodiscard]] std::optional<TMessageBoxRecord> Last() const;
    void Clear() { m_shown.clear(); }

private:
    QList<TMessageBoxRecord> m_shown;
    QQueue<QMessageBox::StandardButton> m_answers;
    TMessageBoxHook m_hook;
};

} // namespace mecovnik::test

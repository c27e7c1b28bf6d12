#pragma once

#include <QDialog>

#include <functional>

class QAction;

namespace mecovnik::test {

// Answers the next modal dialog once it is up: calls fill with it, which sets
// its fields and presses a button. Message boxes are left to their own hook.
// Fails the test (through a flag) when no dialog came.
class TDialogAnswerer final
{
public:
    using TFill = std::function<void(QDialog&)>;

    // Arms the answerer for the next dialog.
    void Next(TFill fill);
    // Arms the answerer with fill, triggers action (whose dialog it answers)
    // and lets what follows run; true when the fill ran.
    [[nodiscard]] bool Run(QAction& action, TFill fill);
    // True when the last armed fill ran.
    [[nodiscard]] bool Answered() const { return m_answered; }

private:
    void Poll(int attempts);

    TFill m_fill;
    bool m_answered = false;
    int m_generation = 0;
};

} // namespace mecovnik::test

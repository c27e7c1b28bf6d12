#pragma once

#include <QApplication>

namespace mecovnik {

// The application object: an exception that escapes an event handler is shown
// in an error box and the program goes on.
class TApplication final : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;
    Q_DISABLE_COPY_MOVE(TApplication)

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace mecovnik

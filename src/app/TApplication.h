#pragma once

#include <QApplication>

namespace mecovnik {

// The application object: an exception that escapes an event handler is shown
// in an error box and the program goes on. The program is Czech, so Qt's own
// texts (standard buttons and dialogs, system menus) are loaded in Czech
// whatever the user's locale.
class TApplication final : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;
    Q_DISABLE_COPY_MOVE(TApplication)

    bool notify(QObject* receiver, QEvent* event) override;

    // Installs Qt's Czech translation (qtbase_cs.qm) from folder, by default
    // Qt's own translations folder. False when it is not there or unreadable:
    // the program then goes on with Qt's English texts.
    static bool LoadSystemTranslation(const QString& folder = {});
};

} // namespace mecovnik

#include "app/Frm_Main.h"

#include "components/ProgramWindows.h"
#include "components/TAboutDialog.h"
#include "components/TRunOnlyOnce.h"

#include <QApplication>
#include <QWindow>

// The main window's support components: the single-instance guard, whose
// signal brings the program to the front, and the about box.

namespace mecovnik {

namespace {

// The main window's caption, and the name under which a running copy is found.
const QString kProgramName = QStringLiteral("Mečovník pro Hradomor");

} // namespace

void TMainForm::CreateComponents()
{
    m_runOnlyOnce = new TRunOnlyOnce(this);
    m_runOnlyOnce->setObjectName(QStringLiteral("RunOnlyOnce"));
    m_runOnlyOnce->SetMessageString(kProgramName);
    m_runOnlyOnce->SetEnabled(m_services.RunOnlyOnce);
    // Queued: the request is handled once the event that brought it is over.
    connect(m_runOnlyOnce, &TRunOnlyOnce::AnotherCopyStarted, this, &TMainForm::BringToFront,
            Qt::QueuedConnection);
    // A later copy started with a fight file hands it over; this one opens it.
    m_runOnlyOnce->SetFileToHand(m_services.OpenAtStart);
    connect(m_runOnlyOnce, &TRunOnlyOnce::FileHandedOver, this, &TMainForm::OpenFightFileLater,
            Qt::QueuedConnection);
    m_runOnlyOnce->Loaded();

    m_aboutDialog = new TAboutDialog(this);
    m_aboutDialog->setObjectName(QStringLiteral("AboutDialog"));
    m_aboutDialog->SetBitmapID(100);
    m_aboutDialog->SetCaption(QStringLiteral("Mečovník"));
    m_aboutDialog->SetAppName(kProgramName);
    m_aboutDialog->SetAppVersion(QStringLiteral("Verze 1.0"));
    m_aboutDialog->SetAppCopyright(
        QStringLiteral("Copyright © 1997 Ferdax. Všechna práva vyhrazena."));
    m_aboutDialog->SetAppComments(
        QStringLiteral("Toto je zatím nultý člen dlouhé posloupnosti programů, která snad bude "
                       "někam konvergovat. Stačilo by, kdyby byla Cauchyovská!!!"));

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TMainForm::RememberActiveWindow);
}

bool TMainForm::SecondCopy() const
{
    return m_runOnlyOnce->IsSecondCopy();
}

void TMainForm::AppMessage(QEvent& message, bool& handled)
{
    const quint32 registered = m_runOnlyOnce->RegisteredMessage();
    if (registered == 0 || static_cast<quint32>(message.type()) != registered)
        return;
    BringToFront();
    handled = true;
}

void TMainForm::RememberActiveWindow(QWindow* window)
{
    if (!window)
        return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == window) {
            if (IsOwnedWindow(w, this))
                m_lastActive = w;
            return;
        }
    }
}

void TMainForm::BringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    const auto usable = [](const QWidget* w) { return w && w->isVisible() && w->isEnabled(); };
    // An open modal window is the one the user works in; else the window last
    // active, the customisation window among them.
    QWidget* target = this;
    if (QWidget* modal = QApplication::activeModalWidget(); usable(modal))
        target = modal;
    else if (usable(m_lastActive))
        target = m_lastActive;
    if (target != this)
        target->raise();
    target->activateWindow();
}

void TMainForm::Item_AboutClick()
{
    m_aboutDialog->SetBitmapID(256);
    m_aboutDialog->Execute();
}

} // namespace mecovnik

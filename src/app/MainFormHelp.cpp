#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "platform/THelpSystem.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusBar>
#include <QWhatsThis>

// Help: the help commands, F1 and the What's-this mode.

namespace mecovnik {

bool TMainForm::AppHelp(int command, int context, bool& callHelp)
{
    Q_UNUSED(command)
    Q_UNUSED(context)
    m_helpUsed = true;
    callHelp = true;
    return true;
}

void TMainForm::HelpCommand(int command, int context)
{
    bool callHelp = false;
    AppHelp(command, context, callHelp);
    if (callHelp && m_services.Help)
        m_services.Help->Execute(m_helpFile, command, context);
}

void TMainForm::Item_HelpContentsClick()
{
    HelpCommand(HELP_FINDER, 0);
}

void TMainForm::Item_CoJeToClick()
{
    // Posted, so the menu has closed before the mode starts.
    QMetaObject::invokeMethod(
        this, [] { QWhatsThis::enterWhatsThisMode(); }, Qt::QueuedConnection);
}

int TMainForm::HelpContextAt(QObject* object) const
{
    for (QObject* o = object; o; o = o->parent()) {
        const int context = o->property(kHelpContext).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusBar() && event->type() == QEvent::MouseButtonDblClick) {
        StatusBarDblClick();
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || !watched->isWidgetType())
            break;
        // F1: the highlighted menu item, else the focused control.
        int context = 0;
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (QAction* action = menu->activeAction())
                context = HelpContextAt(action);
            if (context == 0)
                context = HelpContextAt(menu->menuAction());
        } else {
            context = HelpContextAt(QApplication::focusWidget());
        }
        // Where there is no help context, F1 asks for nothing.
        if (context > 0)
            HelpCommand(HELP_CONTEXT, context);
        return true;
    }
    case QEvent::QueryWhatsThis:
        if (watched->isWidgetType() && HelpContextAt(watched) > 0) {
            event->accept();
            return true;
        }
        break;
    case QEvent::WhatsThis:
        if (watched->isWidgetType()) {
            if (const int context = HelpContextAt(watched); context > 0) {
                HelpCommand(HELP_CONTEXTPOPUP, context);
                event->accept();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace mecovnik

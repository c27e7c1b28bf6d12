#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "platform/THelpSystem.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

// The main window's toolbar: its making, the popup menu's commands, and its
// state in the configuration.

namespace mecovnik {

void TMainForm::SetupToolbar()
{
    auto* toolbar = new TToolbar(*m_services.Resources, m_ui->MenuBevel->parentWidget());
    toolbar->setObjectName(QStringLiteral("MainToolbar"));
    toolbar->setFixedHeight(33);
    toolbar->setProperty(kHelpContext, 11);
    toolbar->ResButtons = QStringLiteral("toolbar/buttons");
    toolbar->ResInitial = QStringLiteral("toolbar/initial");
    toolbar->ResAdjust = QStringLiteral("toolbar/adjust");
    toolbar->ResImagesName = QStringLiteral("#%d");
    toolbar->ResImagesStart = 2048;
    toolbar->ResHintsStart = 2048;
    toolbar->ResStringsStart = 2016;
    // The fight's buttons, a table of the program's own: those whose command
    // the registry has (a row with that toolbar id), with the command's key
    // and hint.
    toolbar->ResMoreButtons = QStringLiteral("toolbar/fight");
    toolbar->MoreStart = 2101;
    toolbar->MoreGroupName = 2020;
    toolbar->OffersButton = [this](int id) { return m_commands->ForToolbarId(id) != nullptr; };
    toolbar->MoreHint = [this](int id, const QString& name) {
        const TCommandRegistry::TEntry* entry = m_commands->ForToolbarId(id);
        if (!entry)
            return name + u'|';
        const QString key = KeyText(*entry->Action);
        return (key.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, key)) + u'|' +
               entry->Action->statusTip();
    };
    toolbar->SetPopupMenu(m_toolbarPopup);
    // Below the menu's bevel, above the toolbar's own.
    auto* layout = qobject_cast<QVBoxLayout*>(m_ui->MenuBevel->parentWidget()->layout());
    Q_ASSERT(layout);
    if (layout)
        layout->insertWidget(layout->indexOf(m_ui->MenuBevel) + 1, toolbar);
    connect(toolbar, &TToolbar::OnCommand, this, &TMainForm::MainToolbarCommand);
    m_mainToolbar = toolbar;
    toolbar->Loaded();
    // A button is enabled as its command is.
    for (const TCommandRegistry::TEntry& entry : m_commands->Entries()) {
        const int id = entry.Command->ToolbarId;
        if (id == 0)
            continue;
        toolbar->SetCommandEnabled(id, entry.Action->isEnabled());
        connect(entry.Action, &QAction::enabledChanged, toolbar,
                [toolbar, id](bool enabled) { toolbar->SetCommandEnabled(id, enabled); });
    }
}

void TMainForm::ApplyToolbarState()
{
    const TToolbarState* state = m_nastaveni.Toolbar.Get();
    if (!state)
        return;
    m_mainToolbar->SetState(*state);
    m_ui->MainToolbarBevel->setVisible(!m_mainToolbar->isHidden());
}

void TMainForm::CaptureToolbarState()
{
    m_nastaveni.Toolbar.Replace(m_mainToolbar->GetState());
}

void TMainForm::SetToolbarVisible(bool visible)
{
    m_ui->MainToolbarBevel->setVisible(visible);
    m_mainToolbar->setVisible(visible);
}

void TMainForm::ToolbarPopupPopup()
{
    m_ui->ToolbarPopup_ShowHints->setChecked(m_mainToolbar->ShowHint());
}

void TMainForm::ToolbarPopup_ShowHintsClick()
{
    m_mainToolbar->SetShowHint(!m_mainToolbar->ShowHint());
}

void TMainForm::ToolbarPopup_HideClick()
{
    SetToolbarVisible(false);
}

void TMainForm::ToolbarPopup_PropertiesClick()
{
    m_mainToolbar->OnAdjust();
}

void TMainForm::ToolbarPopup_HelpClick()
{
    HelpCommand(HELP_CONTEXTPOPUP, m_mainToolbar->HelpContext());
}

} // namespace mecovnik

#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "components/TAdvancedListBox.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/RosterZoom.h"
#include "settings/TNastaveni.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

// The rosters at hand: a double click, the Delete key and a right click on a
// row; editing a row; the size of the rosters' text; and the commands asked
// for when they do not apply, which say why.

namespace mecovnik {

namespace {

std::size_t MenuIndex(TContextMenu which)
{
    return which == TContextMenu::Characters ? 0 : 1;
}

} // namespace

TRosterState TMainForm::RosterState() const
{
    const auto selected = [](const TObjektWindow* w) {
        return w && w->ListBox()->ItemIndex() >= 0;
    };
    const auto any = [](const TObjektWindow* w) { return w && w->ListBox()->Count() > 0; };
    return {selected(m_postavy), any(m_postavy), selected(m_nestvury), any(m_nestvury)};
}

void TMainForm::BuildContextMenus()
{
    // Walks the menu bar: a roster's menu holds every command the registry
    // gives it, in the bar's order, with the same submenus and separators.
    const auto belongs = [this](const QAction* action, TContextMenu which) {
        const TCommandRegistry::TEntry* entry = m_commands->ForAction(action);
        return entry && entry->Command->ContextMenu == which;
    };
    const auto holds = [&](const QMenu& menu, TContextMenu which) {
        for (const QAction* a : menu.actions())
            if (belongs(a, which))
                return true;
        return false;
    };
    for (const TContextMenu which : {TContextMenu::Characters, TContextMenu::Monsters}) {
        auto* menu = new QMenu(this);
        menu->setObjectName(which == TContextMenu::Characters
                                ? QStringLiteral("ContextMenu_Postavy")
                                : QStringLiteral("ContextMenu_Nestvury"));
        menu->setToolTipsVisible(false);
        bool separate = false;
        for (QAction* top : m_ui->MainMenu->actions()) {
            const QMenu* barMenu = top->menu();
            if (!barMenu)
                continue;
            for (QAction* a : barMenu->actions()) {
                if (a->isSeparator()) {
                    separate = !menu->isEmpty();
                    continue;
                }
                if (a->menu() ? !holds(*a->menu(), which) : !belongs(a, which))
                    continue;
                if (separate)
                    menu->addSeparator();
                separate = false;
                menu->addAction(a);
            }
            separate = !menu->isEmpty();
        }
        m_contextMenus[MenuIndex(which)] = menu;
    }
}

QMenu* TMainForm::ContextMenu(TContextMenu which) const
{
    return which == TContextMenu::None ? nullptr : m_contextMenus[MenuIndex(which)];
}

void TMainForm::ConnectShortcutsOfDisabled()
{
    // A disabled action's keys reach nothing; these stand in for them while
    // it is disabled, so the key says why instead of doing nothing. Only one
    // of the two is live at a time, so no key is ever ambiguous.
    for (const TCommandRegistry::TEntry& entry : m_commands->Entries()) {
        if (!entry.Command->Need)
            continue;
        for (const QKeySequence& key : entry.Action->shortcuts()) {
            auto* shortcut = new QShortcut(key, this);
            shortcut->setContext(Qt::WindowShortcut);
            shortcut->setEnabled(!entry.Action->isEnabled());
            const TCommand* command = entry.Command;
            connect(shortcut, &QShortcut::activated, this,
                    [this, command] { SayWhyNot(*command); });
            m_whyKeys.emplace_back(shortcut, command);
        }
    }
}

void TMainForm::SayWhyNot(const TCommand& command)
{
    if (!command.Need)
        return;
    const std::string_view why = WhyDisabled(*command.Need, RosterState());
    if (!why.empty())
        ShowStatusMessage(QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size())),
                          kDoneSeconds);
}

void TMainForm::AskCommand(std::string_view action)
{
    // The rosters have just been touched: the enabling follows them first.
    UpdateCommands();
    QAction& item = m_commands->Action(action);
    if (item.isEnabled()) {
        item.trigger();
        return;
    }
    for (const TCommandRegistry::TEntry& entry : m_commands->Entries())
        if (entry.Action == &item)
            SayWhyNot(*entry.Command);
}

void TMainForm::ConnectRosterHand(TObjektWindow& roster, TContextMenu which)
{
    const bool characters = which == TContextMenu::Characters;
    connect(&roster, &TObjektWindow::RowActivated, this, [this, characters] {
        AskCommand(characters ? "Item_UpravitPostavu" : "Item_UpravitNestvuru");
    });
    connect(&roster, &TObjektWindow::DeleteRequested, this, [this, characters] {
        AskCommand(characters ? "Item_SmazatPostavu" : "Item_SmazatNestvuru");
    });
    connect(&roster, &TObjektWindow::ContextMenuRequested, this, [this, which](QPoint at) {
        // The row the click chose counts at once, not after the menu.
        UpdateCommands();
        if (QMenu* menu = ContextMenu(which))
            menu->exec(at);
    });
}

void TMainForm::Item_UpravitPostavuClick()
{
    if (m_postavy)
        m_postavy->EditCharacter(SelectedRow(m_postavy));
}

void TMainForm::Item_UpravitNestvuruClick()
{
    if (m_nestvury)
        m_nestvury->EditMonster(SelectedRow(m_nestvury));
}

int TMainForm::RosterZoom() const
{
    return m_nastaveni.FontPercent;
}

void TMainForm::SetRosterZoom(int percent)
{
    m_nastaveni.FontPercent = ValidZoom(percent) ? percent : kZoomNormal;
    for (TObjektWindow* roster :
         {static_cast<TObjektWindow*>(m_postavy), static_cast<TObjektWindow*>(m_nestvury)})
        if (roster)
            roster->SetZoom(m_nastaveni.FontPercent);
}

void TMainForm::Item_VetsiPismoClick()
{
    SetRosterZoom(LargerZoom(RosterZoom()));
    ShowStatusMessage(QStringLiteral("Písmo seznamů: %1 %").arg(RosterZoom()), kDoneSeconds);
}

void TMainForm::Item_MensiPismoClick()
{
    SetRosterZoom(SmallerZoom(RosterZoom()));
    ShowStatusMessage(QStringLiteral("Písmo seznamů: %1 %").arg(RosterZoom()), kDoneSeconds);
}

} // namespace mecovnik

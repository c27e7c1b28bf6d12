#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/CommandEnabling.h"
#include "app/TFightKeeper.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/Frm_Zkusenost.h"
#include "roster/Frm_ZranitNestvuru.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>

// The command registry: every command of the main window with its handler,
// its enabling and its way to the history; the roster commands' handlers.

namespace mecovnik {

namespace {

QString FromUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The numbers the roster commands ask for.
constexpr TNumberPrompt kHandOver{"Přidělit zkušenost", "&Zkušenost:", 1, 10000};
constexpr TNumberPrompt kAddExperience{"Přidat zkušenost", "&Zkušenost:", -10000, 10000};
constexpr TNumberPrompt kSetLives{"Změnit životy", "Ž&ivoty:", 0, 1000};
constexpr TNumberPrompt kAddLives{"Přidat životy", "Ž&ivoty:", -10, 100};

// The toolbar's popup menu: its commands in order, "" for a separator.
constexpr std::string_view kToolbarPopupItems[] = {"ToolbarPopup_ShowHints", "ToolbarPopup_Hide",
                                                   "ToolbarPopup_Properties", "",
                                                   "ToolbarPopup_Help"};
constexpr std::string_view kToolbarPopupDefault = "ToolbarPopup_Properties";

} // namespace

std::span<const TCommand> TMainForm::Commands()
{
    using enum TCommandNeed;
    using T = TMainForm;
    constexpr TContextMenu kPostavy = TContextMenu::Characters;
    constexpr TContextMenu kNestvury = TContextMenu::Monsters;
    static constexpr TCommand kCommands[] = {
        // Soubor: the fight as a file; new, open and add are steps of the history
        {.Action = "Item_NovySouboj", .ChangesRosters = true, .Run = &T::Item_NovySoubojClick},
        {.Action = "Item_OtevritSouboj",
         .ChangesRosters = true,
         .Run = &T::Item_OtevritSoubojClick},
        {.Action = "Item_UlozitSouboj", .Run = &T::Item_UlozitSoubojClick},
        {.Action = "Item_UlozitSoubojJako", .Run = &T::Item_UlozitSoubojJakoClick},
        {.Action = "Item_PridatZeSouboru",
         .ChangesRosters = true,
         .Run = &T::Item_PridatZeSouboruClick},
        // Soubor: the fight on paper and in other programs
        {.Action = "Item_ExportovatPdf", .Run = &T::Item_ExportovatPdfClick},
        {.Action = "Item_ExportovatDenikCsv", .Run = &T::Item_ExportovatDenikCsvClick},
        {.Action = "Item_Tisk", .Run = &T::Item_TiskClick},
        {.Action = "Item_NahledTisku", .Run = &T::Item_NahledTiskuClick},
        // Soubor
        {.Action = "Item_PrintSetup", .ToolbarId = 1, .Run = &T::Item_PrintSetupClick},
        {.Action = "Item_Quit", .ToolbarId = 2, .Run = &T::Item_QuitClick},
        // Postava
        {.Action = "Item_NovaPostava",
         .ChangesRosters = true,
         .ToolbarId = 101,
         .Run = &T::Item_NovaPostavaClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_UpravitPostavu",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Run = &T::Item_UpravitPostavuClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_SmazatPostavu",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Run = &T::Item_SmazatPostavuClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_CelaZkusenost_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::HandOverAll,
         .Run = &T::Item_CelaZkusenost_AktivniClick,
         .ContextMenu = kPostavy,
         .Done = "Předána celá zkušenost."},
        {.Action = "Item_CelaZkusenost_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::HandOverAll,
         .ToolbarId = 107,
         .Run = &T::Item_CelaZkusenost_VsechnyClick,
         .ContextMenu = kPostavy,
         .Done = "Předána celá zkušenost všech postav."},
        {.Action = "Item_CastZkusenosti_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::HandOverPart,
         .Number = kHandOver,
         .RunWithNumber = &T::Item_CastZkusenosti_AktivniClick,
         .ContextMenu = kPostavy,
         .Done = "Předána část zkušenosti."},
        {.Action = "Item_CastZkusenosti_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::HandOverPart,
         .Number = kHandOver,
         .RunWithNumber = &T::Item_CastZkusenosti_VsechnyClick,
         .ContextMenu = kPostavy,
         .Done = "Předána část zkušenosti všech postav."},
        {.Action = "Item_VynulovatZkusenost_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::Reset,
         .Run = &T::Item_VynulovatZkusenost_AktivniClick,
         .ContextMenu = kPostavy,
         .Done = "Zkušenost vynulována."},
        {.Action = "Item_VynulovatZkusenost_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::Reset,
         .Run = &T::Item_VynulovatZkusenost_VsechnyClick,
         .ContextMenu = kPostavy,
         .Done = "Zkušenost všech postav vynulována."},
        {.Action = "Item_PridatZkusenost_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Number = kAddExperience,
         .RunWithNumber = &T::Item_PridatZkusenost_AktivniClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_PridatZkusenost_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Number = kAddExperience,
         .RunWithNumber = &T::Item_PridatZkusenost_VsechnyClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_ZmenitZivoty_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Number = kSetLives,
         .RunWithNumber = &T::Item_ZmenitZivoty_AktivniClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_ZmenitZivoty_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Number = kSetLives,
         .RunWithNumber = &T::Item_ZmenitZivoty_VsechnyClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_PridatZivoty_Aktivni",
         .Need = ActiveCharacter,
         .ChangesRosters = true,
         .Number = kAddLives,
         .RunWithNumber = &T::Item_PridatZivoty_AktivniClick,
         .ContextMenu = kPostavy},
        {.Action = "Item_PridatZivoty_Vsechny",
         .Need = Characters,
         .ChangesRosters = true,
         .Number = kAddLives,
         .RunWithNumber = &T::Item_PridatZivoty_VsechnyClick,
         .ContextMenu = kPostavy},
        // Nestvůra
        {.Action = "Item_NovaNestvura",
         .ChangesRosters = true,
         .ToolbarId = 102,
         .Run = &T::Item_NovaNestvuraClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_UpravitNestvuru",
         .Need = ActiveMonster,
         .ChangesRosters = true,
         .Run = &T::Item_UpravitNestvuruClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_SmazatNestvuru",
         .Need = ActiveMonster,
         .ChangesRosters = true,
         .Run = &T::Item_SmazatNestvuruClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_SmazatVsechnyNestvury",
         .Need = Monsters,
         .ChangesRosters = true,
         .Run = &T::Item_SmazatVsechnyNestvuryClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_SmazatMrtveNestvury",
         .Need = Monsters,
         .ChangesRosters = true,
         .ToolbarId = 106,
         .Run = &T::Item_SmazatMrtveNestvuryClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_SmazatVyrazeneNestvury",
         .Need = Monsters,
         .ChangesRosters = true,
         .Run = &T::Item_SmazatVyrazeneNestvuryClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_ZmenitZivotyNestvury_Akt",
         .Need = ActiveMonster,
         .ChangesRosters = true,
         .Number = kSetLives,
         .RunWithNumber = &T::Item_ZmenitZivotyNestvury_AktClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_ZmenitZivotyNestvury_All",
         .Need = Monsters,
         .ChangesRosters = true,
         .Number = kSetLives,
         .RunWithNumber = &T::Item_ZmenitZivotyNestvury_AllClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_PridatZivotyNestvury_Akt",
         .Need = ActiveMonster,
         .ChangesRosters = true,
         .Number = kAddLives,
         .RunWithNumber = &T::Item_PridatZivotyNestvury_AktClick,
         .ContextMenu = kNestvury},
        {.Action = "Item_PridatZivotyNestvury_All",
         .Need = Monsters,
         .ChangesRosters = true,
         .Number = kAddLives,
         .RunWithNumber = &T::Item_PridatZivotyNestvury_AllClick,
         .ContextMenu = kNestvury},
        // Boj
        {.Action = "Item_ShowPostavy", .Run = &T::Item_ShowPostavyClick},
        {.Action = "Item_ShowNestvury", .Run = &T::Item_ShowNestvuryClick},
        {.Action = "Item_DenikZkusenosti", .ToolbarId = 108, .Run = &T::Item_DenikZkusenostiClick},
        {.Action = "Item_ZranitNestvuru",
         .Need = ActiveCharacterAndMonster,
         .ChangesRosters = true,
         .Ledger = TLedgerEvent::Wound,
         .ToolbarId = 103,
         .Run = &T::Item_ZranitNestvuruClick},
        {.Action = "Item_Zpet", .ToolbarId = 104, .Run = &T::Item_ZpetClick},
        {.Action = "Item_Znovu",
         .ToolbarId = 105,
         .Run = &T::Item_ZnovuClick,
         .MoreKeys = "Shift+Alt+Backspace"},
        // Nastavení
        {.Action = "Item_NastaveniProstredi", .Run = &T::Item_NastaveniProstrediClick},
        {.Action = "Item_AutomatickyUkladatNastaveni",
         .Run = &T::Item_AutomatickyUkladatNastaveniClick},
        {.Action = "Item_UlozitNastaveni", .Run = &T::Item_UlozitNastaveniClick},
        // Okno
        {.Action = "Item_Okno_Cascade", .ToolbarId = 3, .Run = &T::Item_Okno_CascadeClick},
        {.Action = "Item_Okno_HTile", .ToolbarId = 4, .Run = &T::Item_Okno_HTileClick},
        {.Action = "Item_Okno_VTile", .ToolbarId = 5, .Run = &T::Item_Okno_VTileClick},
        {.Action = "Item_Okno_ArrangeAll", .ToolbarId = 6, .Run = &T::Item_Okno_ArrangeAllClick},
        {.Action = "Item_VetsiPismo", .Run = &T::Item_VetsiPismoClick, .MoreKeys = "Ctrl+="},
        {.Action = "Item_MensiPismo", .Run = &T::Item_MensiPismoClick},
        {.Action = "Item_PohledProHrace", .Run = &T::Item_PohledProHraceClick},
        // Nápověda
        {.Action = "Item_HelpContents", .ToolbarId = 7, .Run = &T::Item_HelpContentsClick},
        {.Action = "Item_CoJeTo", .ToolbarId = 8, .Run = &T::Item_CoJeToClick},
        {.Action = "Item_About", .ToolbarId = 9, .Run = &T::Item_AboutClick},
        // The toolbar's popup menu
        {.Action = "ToolbarPopup_ShowHints", .Run = &T::ToolbarPopup_ShowHintsClick},
        {.Action = "ToolbarPopup_Hide", .Run = &T::ToolbarPopup_HideClick},
        {.Action = "ToolbarPopup_Properties", .Run = &T::ToolbarPopup_PropertiesClick},
        {.Action = "ToolbarPopup_Help", .Run = &T::ToolbarPopup_HelpClick},
    };
    return kCommands;
}

void TMainForm::ConnectCommands()
{
    m_commands = std::make_unique<TCommandRegistry>(Commands(), *this);
    for (const TCommandRegistry::TEntry& entry : m_commands->Entries()) {
        const TCommand* command = entry.Command;
        QAction* action = entry.Action;
        connect(action, &QAction::triggered, this,
                [this, command, action] { RunCommand(*command, *action); });
        if (!command->MoreKeys.empty())
            action->setShortcuts(QList<QKeySequence>{action->shortcut()} +
                                 QKeySequence::listFromString(FromUtf8(command->MoreKeys)));
    }

    for (const std::string_view name : kToolbarPopupItems) {
        if (name.empty())
            m_toolbarPopup->addSeparator();
        else
            m_toolbarPopup->addAction(&m_commands->Action(name));
    }
    m_toolbarPopup->setDefaultAction(&m_commands->Action(kToolbarPopupDefault));
    BuildContextMenus();
    ConnectShortcutsOfDisabled();
    connect(m_toolbarPopup, &QMenu::aboutToShow, this, &TMainForm::ToolbarPopupPopup);
    connect(m_ui->Menu_Okno, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);
}

void TMainForm::RunCommand(const TCommand& command, const QAction& action)
{
    const auto run = [this, &command] {
        if (!command.Number) {
            (this->*command.Run)();
            return;
        }
        const TNumberPrompt& number = *command.Number;
        int value = 0;
        if (EnterNumber(this, FromUtf8(number.Caption), FromUtf8(number.Label), number.Minimum,
                        number.Maximum, value))
            (this->*command.RunWithNumber)(value);
    };
    if (!command.ChangesRosters) {
        run();
        return;
    }
    // Says what the command did and the key that takes it back.
    if (RunAsStep(action, run, command.Ledger) && !command.Done.empty())
        ShowStatusMessage(
            QStringLiteral("%1 Zpět: %2").arg(FromUtf8(command.Done), KeyText(*m_ui->Item_Zpet)),
            kDoneSeconds);
}

void TMainForm::MainToolbarCommand(QObject* sender, int commandId, TToolbarCommandType commandType)
{
    Q_UNUSED(sender)
    if (commandType != TToolbarCommandType::ctClick)
        return;
    // The menu item's own path: enabling, number, history.
    if (const TCommandRegistry::TEntry* entry = m_commands->ForToolbarId(commandId))
        entry->Action->trigger();
}

void TMainForm::UpdateCommands()
{
    const TRosterState state = RosterState();
    for (const TCommandRegistry::TEntry& entry : m_commands->Entries()) {
        if (entry.Command->Need)
            entry.Action->setEnabled(IsEnabled(*entry.Command->Need, state));
    }
    for (const auto& [key, command] : m_whyKeys)
        key->setEnabled(!IsEnabled(*command->Need, state));
}

int TMainForm::SelectedRow(const TObjektWindow* roster) const
{
    return roster ? roster->ListBox()->ItemIndex() : -1;
}

void TMainForm::Item_NovaPostavaClick()
{
    if (m_postavy)
        m_postavy->NewCharacter();
}

void TMainForm::Item_SmazatPostavuClick()
{
    if (m_postavy)
        m_postavy->DeleteCharacter();
}

void TMainForm::Item_CelaZkusenost_AktivniClick()
{
    if (m_postavy)
        m_postavy->HandOverExperience(SelectedRow(m_postavy), -1);
}

void TMainForm::Item_CelaZkusenost_VsechnyClick()
{
    if (m_postavy)
        m_postavy->HandOverExperienceAll(-1);
}

void TMainForm::Item_CastZkusenosti_AktivniClick(int amount)
{
    if (m_postavy)
        m_postavy->HandOverExperience(SelectedRow(m_postavy), amount);
}

void TMainForm::Item_CastZkusenosti_VsechnyClick(int amount)
{
    if (m_postavy)
        m_postavy->HandOverExperienceAll(amount);
}

void TMainForm::Item_VynulovatZkusenost_AktivniClick()
{
    if (m_postavy)
        m_postavy->ResetExperience(SelectedRow(m_postavy));
}

void TMainForm::Item_VynulovatZkusenost_VsechnyClick()
{
    if (m_postavy)
        m_postavy->ResetExperienceAll();
}

void TMainForm::Item_PridatZkusenost_AktivniClick(int delta)
{
    if (m_postavy)
        m_postavy->AddExperience(SelectedRow(m_postavy), delta);
}

void TMainForm::Item_PridatZkusenost_VsechnyClick(int delta)
{
    if (m_postavy)
        m_postavy->AddExperienceAll(delta);
}

void TMainForm::Item_ZmenitZivoty_AktivniClick(int lives)
{
    if (m_postavy)
        m_postavy->SetLives(SelectedRow(m_postavy), lives);
}

void TMainForm::Item_ZmenitZivoty_VsechnyClick(int lives)
{
    if (m_postavy)
        m_postavy->SetLivesAll(lives);
}

void TMainForm::Item_PridatZivoty_AktivniClick(int delta)
{
    if (m_postavy)
        m_postavy->AddLives(SelectedRow(m_postavy), delta);
}

void TMainForm::Item_PridatZivoty_VsechnyClick(int delta)
{
    if (m_postavy)
        m_postavy->AddLivesAll(delta);
}

void TMainForm::Item_NovaNestvuraClick()
{
    if (m_nestvury)
        m_nestvury->NewMonster();
}

void TMainForm::Item_SmazatNestvuruClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonster();
}

void TMainForm::Item_SmazatVsechnyNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(0);
}

void TMainForm::Item_SmazatMrtveNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(1);
}

void TMainForm::Item_SmazatVyrazeneNestvuryClick()
{
    if (m_nestvury)
        m_nestvury->DeleteMonsters(2);
}

void TMainForm::Item_ZmenitZivotyNestvury_AktClick(int lives)
{
    if (m_nestvury)
        m_nestvury->SetLives(SelectedRow(m_nestvury), lives);
}

void TMainForm::Item_ZmenitZivotyNestvury_AllClick(int lives)
{
    if (m_nestvury)
        m_nestvury->SetLivesAll(lives);
}

void TMainForm::Item_PridatZivotyNestvury_AktClick(int delta)
{
    if (m_nestvury)
        m_nestvury->AddLives(SelectedRow(m_nestvury), delta);
}

void TMainForm::Item_PridatZivotyNestvury_AllClick(int delta)
{
    if (m_nestvury)
        m_nestvury->AddLivesAll(delta);
}

void TMainForm::Item_ZranitNestvuruClick()
{
    if (!m_nestvury || !m_postavy)
        return;
    const std::optional<TWound> wound = WoundMonster(this, *m_nestvury, *m_postavy);
    if (wound && m_fight)
        m_fight->NoteWound(WoundCommand(wound->Monster, wound->LivesBefore, wound->LivesAfter));
}

} // namespace mecovnik

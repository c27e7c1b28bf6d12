#include "app/Frm_Main.h"

#include "ui_Frm_Main.h"

#include "app/CommandEnabling.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/Frm_Zkusenost.h"
#include "roster/Frm_ZranitNestvuru.h"

#include <QMenu>

// The routing of menu and toolbar commands to the rosters and the window
// commands, and the enabling of the roster commands.

namespace mecovnik {

void TMainForm::ConnectCommands()
{
    // Every command runs through RunRecorded, which makes a roster command
    // one step of the history (MainFormHistory.cpp).
    const auto bind = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, action, handler] { RunRecorded(action, handler); });
    };
    Ui::TMainForm& ui = *m_ui;
    bind(ui.Item_PrintSetup, &TMainForm::Item_PrintSetupClick);
    bind(ui.Item_Quit, &TMainForm::Item_QuitClick);
    bind(ui.Item_Okno_Cascade, &TMainForm::Item_Okno_CascadeClick);
    bind(ui.Item_Okno_HTile, &TMainForm::Item_Okno_HTileClick);
    bind(ui.Item_Okno_VTile, &TMainForm::Item_Okno_VTileClick);
    bind(ui.Item_Okno_ArrangeAll, &TMainForm::Item_Okno_ArrangeAllClick);
    bind(ui.Item_HelpContents, &TMainForm::Item_HelpContentsClick);
    bind(ui.Item_CoJeTo, &TMainForm::Item_CoJeToClick);
    bind(ui.Item_About, &TMainForm::Item_AboutClick);
    bind(ui.Item_NastaveniProstredi, &TMainForm::Item_NastaveniProstrediClick);
    bind(ui.Item_AutomatickyUkladatNastaveni, &TMainForm::Item_AutomatickyUkladatNastaveniClick);
    bind(ui.Item_UlozitNastaveni, &TMainForm::Item_UlozitNastaveniClick);
    bind(ui.Item_ShowPostavy, &TMainForm::Item_ShowPostavyClick);
    bind(ui.Item_ShowNestvury, &TMainForm::Item_ShowNestvuryClick);
    bind(ui.ToolbarPopup_ShowHints, &TMainForm::ToolbarPopup_ShowHintsClick);
    bind(ui.ToolbarPopup_Hide, &TMainForm::ToolbarPopup_HideClick);
    bind(ui.ToolbarPopup_Properties, &TMainForm::ToolbarPopup_PropertiesClick);
    bind(ui.ToolbarPopup_Help, &TMainForm::ToolbarPopup_HelpClick);
    connect(m_toolbarPopup, &QMenu::aboutToShow, this, &TMainForm::ToolbarPopupPopup);
    connect(ui.Menu_Okno, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);

    bind(ui.Item_NovaPostava, &TMainForm::Item_NovaPostavaClick);
    bind(ui.Item_SmazatPostavu, &TMainForm::Item_SmazatPostavuClick);
    bind(ui.Item_CelaZkusenost_Aktivni, &TMainForm::Item_CelaZkusenost_AktivniClick);
    bind(ui.Item_CelaZkusenost_Vsechny, &TMainForm::Item_CelaZkusenost_VsechnyClick);
    bind(ui.Item_CastZkusenosti_Aktivni, &TMainForm::Item_CastZkusenosti_AktivniClick);
    bind(ui.Item_CastZkusenosti_Vsechny, &TMainForm::Item_CastZkusenosti_VsechnyClick);
    bind(ui.Item_VynulovatZkusenost_Aktivni, &TMainForm::Item_VynulovatZkusenost_AktivniClick);
    bind(ui.Item_VynulovatZkusenost_Vsechny, &TMainForm::Item_VynulovatZkusenost_VsechnyClick);
    bind(ui.Item_PridatZkusenost_Aktivni, &TMainForm::Item_PridatZkusenost_AktivniClick);
    bind(ui.Item_PridatZkusenost_Vsechny, &TMainForm::Item_PridatZkusenost_VsechnyClick);
    bind(ui.Item_ZmenitZivoty_Aktivni, &TMainForm::Item_ZmenitZivoty_AktivniClick);
    bind(ui.Item_ZmenitZivoty_Vsechny, &TMainForm::Item_ZmenitZivoty_VsechnyClick);
    bind(ui.Item_PridatZivoty_Aktivni, &TMainForm::Item_PridatZivoty_AktivniClick);
    bind(ui.Item_PridatZivoty_Vsechny, &TMainForm::Item_PridatZivoty_VsechnyClick);
    bind(ui.Item_NovaNestvura, &TMainForm::Item_NovaNestvuraClick);
    bind(ui.Item_SmazatNestvuru, &TMainForm::Item_SmazatNestvuruClick);
    bind(ui.Item_SmazatVsechnyNestvury, &TMainForm::Item_SmazatVsechnyNestvuryClick);
    bind(ui.Item_SmazatMrtveNestvury, &TMainForm::Item_SmazatMrtveNestvuryClick);
    bind(ui.Item_SmazatVyrazeneNestvury, &TMainForm::Item_SmazatVyrazeneNestvuryClick);
    bind(ui.Item_ZmenitZivotyNestvury_Akt, &TMainForm::Item_ZmenitZivotyNestvury_AktClick);
    bind(ui.Item_ZmenitZivotyNestvury_All, &TMainForm::Item_ZmenitZivotyNestvury_AllClick);
    bind(ui.Item_PridatZivotyNestvury_Akt, &TMainForm::Item_PridatZivotyNestvury_AktClick);
    bind(ui.Item_PridatZivotyNestvury_All, &TMainForm::Item_PridatZivotyNestvury_AllClick);
    bind(ui.Item_ZranitNestvuru, &TMainForm::Item_ZranitNestvuruClick);
}

void TMainForm::UpdateCommands()
{
    const auto selected = [](const TObjektWindow* w) {
        return w && w->ListBox()->ItemIndex() >= 0;
    };
    const auto any = [](const TObjektWindow* w) { return w && w->ListBox()->Count() > 0; };
    const TRosterState state{selected(m_postavy), any(m_postavy), selected(m_nestvury),
                             any(m_nestvury)};
    for (const auto& [action, need] : m_rosterCommands)
        action->setEnabled(IsEnabled(need, state));
}

int TMainForm::SelectedRow(const TObjektWindow* roster) const
{
    return roster ? roster->ListBox()->ItemIndex() : -1;
}

template <class Action>
void TMainForm::WithNumber(const char* caption, const char* label, std::int16_t minimum,
                           std::int16_t maximum, Action action)
{
    int value = 0;
    if (EnterNumber(this, QString::fromUtf8(caption), QString::fromUtf8(label), minimum, maximum,
                    value))
        action(value);
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

void TMainForm::Item_CastZkusenosti_AktivniClick()
{
    WithNumber("Přidělit zkušenost", "&Zkušenost:", 1, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->HandOverExperience(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_CastZkusenosti_VsechnyClick()
{
    WithNumber("Přidělit zkušenost", "&Zkušenost:", 1, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->HandOverExperienceAll(n);
    });
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

void TMainForm::Item_PridatZkusenost_AktivniClick()
{
    WithNumber("Přidat zkušenost", "&Zkušenost:", -10000, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->AddExperience(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_PridatZkusenost_VsechnyClick()
{
    WithNumber("Přidat zkušenost", "&Zkušenost:", -10000, 10000, [this](int n) {
        if (m_postavy)
            m_postavy->AddExperienceAll(n);
    });
}

void TMainForm::Item_ZmenitZivoty_AktivniClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_postavy)
            m_postavy->SetLives(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_ZmenitZivoty_VsechnyClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_postavy)
            m_postavy->SetLivesAll(n);
    });
}

void TMainForm::Item_PridatZivoty_AktivniClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_postavy)
            m_postavy->AddLives(SelectedRow(m_postavy), n);
    });
}

void TMainForm::Item_PridatZivoty_VsechnyClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_postavy)
            m_postavy->AddLivesAll(n);
    });
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

void TMainForm::Item_ZmenitZivotyNestvury_AktClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_nestvury)
            m_nestvury->SetLives(SelectedRow(m_nestvury), n);
    });
}

void TMainForm::Item_ZmenitZivotyNestvury_AllClick()
{
    WithNumber("Změnit životy", "Ž&ivoty:", 0, 1000, [this](int n) {
        if (m_nestvury)
            m_nestvury->SetLivesAll(n);
    });
}

void TMainForm::Item_PridatZivotyNestvury_AktClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_nestvury)
            m_nestvury->AddLives(SelectedRow(m_nestvury), n);
    });
}

void TMainForm::Item_PridatZivotyNestvury_AllClick()
{
    WithNumber("Přidat životy", "Ž&ivoty:", -10, 100, [this](int n) {
        if (m_nestvury)
            m_nestvury->AddLivesAll(n);
    });
}

void TMainForm::Item_ZranitNestvuruClick()
{
    if (m_nestvury && m_postavy)
        WoundMonster(this, *m_nestvury, *m_postavy);
}

void TMainForm::MainToolbarCommand(QObject* sender, int commandId, TCommandType commandType)
{
    Q_UNUSED(sender)
    if (commandType != ctClick)
        return;
    switch (commandId) {
    case 1:
        Item_PrintSetupClick();
        break;
    case 2:
        Item_QuitClick();
        break;
    case 3:
        Item_Okno_CascadeClick();
        break;
    case 4:
        Item_Okno_HTileClick();
        break;
    case 5:
        Item_Okno_VTileClick();
        break;
    case 6:
        Item_Okno_ArrangeAllClick();
        break;
    case 7:
        Item_HelpContentsClick();
        break;
    case 8:
        Item_CoJeToClick();
        break;
    case 9:
        Item_AboutClick();
        break;
    default:
        break;
    }
}

} // namespace mecovnik

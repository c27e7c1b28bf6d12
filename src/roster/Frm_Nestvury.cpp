#include "roster/Frm_Nestvury.h"

#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_EditNestvura.h"
#include "roster/RosterRules.h"
#include "roster/TNestvura.h"
#include "roster/TRosterModel.h"

namespace mecovnik {

TNestvuryWindow::TNestvuryWindow(const TNameOrder& order, QWidget* parent)
    : TObjektWindow(order, parent)
{
    setObjectName(QStringLiteral("NestvuryWindow"));
    setWindowTitle(QStringLiteral("Nestvůry"));
    SetSections(
        {QStringLiteral("Jméno"), QStringLiteral("Životy"), QStringLiteral("Zkušenost za zabití")});
}

TNestvuryWindow::~TNestvuryWindow() = default;

void TNestvuryWindow::Attach(TMonsterPresets& presets, TRandom& random)
{
    m_presets = &presets;
    m_random = &random;
}

void TNestvuryWindow::NewMonster()
{
    if (!m_presets || !m_random)
        return;
    auto record = std::make_unique<TNestvura>();
    if (!EnterMonster(window(), *record, *m_presets, Rows().Records().Order()))
        return;
    JoinMonster(std::move(record));
}

std::string TNestvuryWindow::UniqueName(const std::string& name) const
{
    return mecovnik::UniqueName(Rows().Records(), name);
}

int TNestvuryWindow::JoinMonster(std::unique_ptr<TNestvura> record)
{
    record->Name = UniqueName(record->Name);
    if (Rows().Records().IndexOf(record->Name) >= 0) {
        ShowErrorMessage(
            QStringLiteral("Nestvůra se jménem %1 už existuje.").arg(ToQString(record->Name)));
        return -1;
    }
    if (m_random)
        record->RollLives(*m_random);
    const int row = AddRecord(std::move(record));
    emit RowsChanged();
    return row;
}

void TNestvuryWindow::EditMonster(int row)
{
    const auto* monster = static_cast<const TNestvura*>(Rows().At(row));
    if (!monster || !m_presets || !m_random)
        return;
    TNestvura entered(*monster);
    if (!EditMonsterDialog(window(), entered, *m_presets, Rows().Records().Order()))
        return;
    auto edited = std::make_unique<TNestvura>(*monster);
    edited->Reshape(entered.Level, entered.KnockOutRule, entered.KillExperience, *m_random);
    // Its own name (in any letter case) stays free for it; a name another
    // row carries takes a number, as a joining monster's does.
    if (Rows().Records().Order().Compare(entered.Name, monster->Name) == 0) {
        edited->Name = entered.Name;
    } else {
        edited->Name = UniqueName(entered.Name);
        if (Rows().Records().IndexOf(edited->Name) >= 0) {
            ShowErrorMessage(
                QStringLiteral("Nestvůra se jménem %1 už existuje.").arg(ToQString(edited->Name)));
            return;
        }
    }
    ReplaceRecord(row, std::move(edited));
}

void TNestvuryWindow::DeleteMonster()
{
    DeleteActive(QStringLiteral("Opravdu chcete smazat nestvůru %1?"));
}

void TNestvuryWindow::DeleteMonsters(int mode)
{
    const std::string_view words = GroupWords(mode);
    if (words.empty())
        return;
    if (!AskQuestion(QStringLiteral("Opravdu chcete smazat %1 nestvůry?").arg(ToQString(words))))
        return;
    const auto group = static_cast<TDeleteMode>(mode);
    DeleteRecordsIf([group](const TObjekt& record) { return BelongsToGroup(record, group); });
}

std::int32_t TNestvuryWindow::WoundActive(std::int32_t damage)
{
    if (damage == 0)
        return 0;
    const int row = ListBox()->ItemIndex();
    auto* monster = static_cast<TNestvura*>(Rows().At(row));
    if (!monster)
        return 0;
    const std::int32_t experience = monster->Wound(damage);
    RedrawRow(row);
    return experience;
}

} // namespace mecovnik

#include "roster/Frm_Postavy.h"

#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_EditPostava.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"

namespace mecovnik {

TPostavyWindow::TPostavyWindow(const TNameOrder& order, QWidget* parent)
    : TObjektWindow(order, parent)
{
    setObjectName(QStringLiteral("PostavyWindow"));
    setWindowTitle(QStringLiteral("Postavy"));
    SetSections({QStringLiteral("Jméno"), QStringLiteral("Životy"), QStringLiteral("Zkušenost"),
                 QStringLiteral("Nepřidělená zkušenost")});
}

TPostavyWindow::~TPostavyWindow() = default;

TPostava* TPostavyWindow::Character(int row) const
{
    return static_cast<TPostava*>(Rows().At(row));
}

void TPostavyWindow::NewCharacter()
{
    auto record = std::make_unique<TPostava>();
    if (!EnterCharacter(window(), *record))
        return;
    JoinCharacter(std::move(record));
}

int TPostavyWindow::JoinCharacter(std::unique_ptr<TPostava> record)
{
    if (Rows().Records().IndexOf(record->Name) >= 0) {
        ShowErrorMessage(
            QStringLiteral("Postava se jménem %1 už existuje.").arg(ToQString(record->Name)));
        return -1;
    }
    const int row = AddRecord(std::move(record));
    emit RowsChanged();
    return row;
}

void TPostavyWindow::EditCharacter(int row)
{
    const TPostava* character = Character(row);
    if (!character)
        return;
    auto edited = std::make_unique<TPostava>(*character);
    if (!EditCharacterDialog(window(), *edited))
        return;
    const int same = Rows().Records().IndexOf(edited->Name);
    if (same >= 0 && same != row) {
        ShowErrorMessage(
            QStringLiteral("Postava se jménem %1 už existuje.").arg(ToQString(edited->Name)));
        return;
    }
    ReplaceRecord(row, std::move(edited));
}

void TPostavyWindow::DeleteCharacter()
{
    DeleteActive(QStringLiteral("Opravdu chcete smazat postavu %1?"));
}

void TPostavyWindow::HandOverExperience(int row, std::int32_t amount)
{
    TPostava* character = Character(row);
    if (!character)
        return;
    amount = character->HandOverAmount(amount);
    if (amount == 0)
        return;
    // Both filled in one pass, so a name holding "%2" stays as it is.
    ShowInfoMessage(QStringLiteral("Hráč postavy %1 si připíše %2 bodů zkušenosti.")
                        .arg(ToQString(character->Name), QString::number(amount)));
    character->HandOver(amount);
    RedrawRow(row);
}

void TPostavyWindow::HandOverExperienceAll(std::int32_t amount)
{
    for (int row = 0; row < Rows().rowCount(); ++row)
        HandOverExperience(row, amount);
}

void TPostavyWindow::ResetExperience(int row)
{
    TPostava* character = Character(row);
    if (!character)
        return;
    character->ResetExperience();
    RedrawRow(row);
}

void TPostavyWindow::ResetExperienceAll()
{
    for (int row = 0; row < Rows().rowCount(); ++row)
        ResetExperience(row);
}

void TPostavyWindow::AddExperience(int row, std::int32_t delta)
{
    TPostava* character = Character(row);
    if (!character || delta == 0)
        return;
    character->AddExperience(delta);
    RedrawRow(row);
}

void TPostavyWindow::AddExperienceAll(std::int32_t delta)
{
    for (int row = 0; row < Rows().rowCount(); ++row)
        AddExperience(row, delta);
}

} // namespace mecovnik

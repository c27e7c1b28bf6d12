#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TPostavaDialog;
}

namespace mecovnik {

class TPostava;

// The dialog in which the game master enters a new character.
class TPostavaDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit TPostavaDialog(QWidget* owner);
    ~TPostavaDialog() override;
    Q_DISABLE_COPY_MOVE(TPostavaDialog)

    // Fills the controls from the record.
    void LoadFrom(const TPostava& record);
    // Takes the name as typed and the three numbers from their fields.
    void StoreTo(TPostava& record);

    [[nodiscard]] Ui::TPostavaDialog& Form() const { return *m_ui; }

private:
    std::unique_ptr<Ui::TPostavaDialog> m_ui;
};

// Runs the dialog for a new character; true when the user confirmed, the
// record then holding what was entered. Nothing entered is validated.
bool EnterCharacter(QWidget* owner, TPostava& record);
// Runs the dialog, captioned "Upravit postavu", over a character of the
// roster; true when the user confirmed, the record then holding what was
// entered (by the same rules as a new one).
bool EditCharacterDialog(QWidget* owner, TPostava& record);

} // namespace mecovnik

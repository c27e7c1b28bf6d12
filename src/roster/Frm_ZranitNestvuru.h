#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLabel;

namespace Ui {
class TZranitNestvuruDialog;
}

namespace mecovnik {

class TNestvuryWindow;
class TPostavyWindow;

// The dialog that asks for the size of a wound.
class TZranitNestvuruDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit TZranitNestvuruDialog(QWidget* owner);
    ~TZranitNestvuruDialog() override;
    Q_DISABLE_COPY_MOVE(TZranitNestvuruDialog)

    [[nodiscard]] Ui::TZranitNestvuruDialog& Form() const { return *m_ui; }

    // Puts a line above the wound's size (who wounds whom, WoundLine), as
    // plain text, wrapped to the dialog's width; the dialog grows by it.
    void ShowWho(const QString& line);
    // The line's label, or nullptr before ShowWho.
    [[nodiscard]] QLabel* Who() const { return m_who; }

private:
    std::unique_ptr<Ui::TZranitNestvuruDialog> m_ui;
    QLabel* m_who = nullptr;
    // The room the line takes above the form's controls.
    int m_whoRoom = 0;
};

// A wound dealt: the monster and its lives before and after.
struct TWound
{
    std::string Monster;
    std::int32_t LivesBefore = 0;
    std::int32_t LivesAfter = 0;
};

// Asks for a wound of 1..1000, takes it off the active monster and credits the
// experience earned to the active character. Cancelling changes nothing and
// gives none; so does a wound with no monster selected.
std::optional<TWound> WoundMonster(QWidget* owner, TNestvuryWindow& monsters,
                                   TPostavyWindow& characters);

} // namespace mecovnik

#pragma once

#include <QDialog>

#include <memory>

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

private:
    std::unique_ptr<Ui::TZranitNestvuruDialog> m_ui;
};

// Asks for a wound of 1..1000, takes it off the active monster and credits the
// experience earned to the active character. Cancelling changes nothing.
void WoundMonster(QWidget* owner, TNestvuryWindow& monsters, TPostavyWindow& characters);

} // namespace mecovnik

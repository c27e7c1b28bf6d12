#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TProstrediDialog;
}

namespace mecovnik {

class TMainForm;

// "Nastavení programu": shows or hides the main window's toolbar and its
// tooltips, and chooses the size of the rosters' text. It changes the running
// window only; the choices reach the store with the next save of the
// configuration.
class TProstrediDialog final : public QDialog
{
    Q_OBJECT

public:
    // mainForm is the window the dialog reads and changes, and its owner.
    explicit TProstrediDialog(TMainForm& mainForm);
    ~TProstrediDialog() override;
    Q_DISABLE_COPY_MOVE(TProstrediDialog)

    [[nodiscard]] Ui::TProstrediDialog& Form() const { return *m_ui; }

    // The toolbar's state into the check boxes, the rosters' text size into
    // its box; "Použít" disabled.
    void LoadFromMainForm();
    // The check boxes onto the toolbar, the text size onto the rosters.
    void ApplyToMainForm();

private:
    void FormCreate();
    void SomethingChanged();
    void OKBtnClick();
    void BtnApplyClick();

    std::unique_ptr<Ui::TProstrediDialog> m_ui;
    TMainForm& m_mainForm;
};

} // namespace mecovnik

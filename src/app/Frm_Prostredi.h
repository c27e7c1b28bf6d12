#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TProstrediDialog;
}

namespace mecovnik {

class TMainForm;

// "Nastavení programu": shows or hides the main window's toolbar and its
// tooltips, chooses the size of the rosters' text, and shares the players'
// view on the local network (the group "Pohled pro hráče": the choice, the
// port, the link and its QR code). It changes the running program only; the
// choices reach the store with the next save of the configuration.
class TProstrediDialog final : public QDialog
{
    Q_OBJECT

public:
    // mainForm is the window the dialog reads and changes, and its owner.
    explicit TProstrediDialog(TMainForm& mainForm);
    ~TProstrediDialog() override;
    Q_DISABLE_COPY_MOVE(TProstrediDialog)

    [[nodiscard]] Ui::TProstrediDialog& Form() const { return *m_ui; }

    // The toolbar's state, the rosters' text size and the sharing into the
    // controls; "Použít" disabled.
    void LoadFromMainForm();
    // The controls onto the toolbar, the rosters and the sharing.
    void ApplyToMainForm();

private:
    void FormCreate();
    void SomethingChanged();
    void OKBtnClick();
    void BtnApplyClick();
    // The players' link as the program serves it now, with its QR code.
    void ShowPlayerViewLink();
    void SetupPlayerViewGroup();

    std::unique_ptr<Ui::TProstrediDialog> m_ui;
    TMainForm& m_mainForm;
};

} // namespace mecovnik

#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutDialogForm;
}

namespace mecovnik {

// The about window, built from its form description: a frame with the
// picture, the product name, version, copyright and comment, and an OK
// button that Enter and Escape both press.
class TAboutDialogForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutDialogForm(QWidget* owner);
    ~TAboutDialogForm() override;
    Q_DISABLE_COPY_MOVE(TAboutDialogForm)

    [[nodiscard]] Ui::TAboutDialogForm& Form() const { return *m_ui; }

private:
    std::unique_ptr<Ui::TAboutDialogForm> m_ui;
};

} // namespace mecovnik

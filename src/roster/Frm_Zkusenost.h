#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class TZkusenostDialog;
}

namespace mecovnik {

// The dialog that asks for one whole number.
class TZkusenostDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit TZkusenostDialog(QWidget* owner);
    ~TZkusenostDialog() override;
    Q_DISABLE_COPY_MOVE(TZkusenostDialog)

    [[nodiscard]] Ui::TZkusenostDialog& Form() const { return *m_ui; }

private:
    std::unique_ptr<Ui::TZkusenostDialog> m_ui;
};

// Asks for a number in minimum..maximum under the given caption and label
// (the group box keeps its own caption). On OK stores it in value and returns
// true; on cancel leaves value alone and returns false.
bool EnterNumber(QWidget* owner, const QString& caption, const QString& label, std::int16_t minimum,
                 std::int16_t maximum, int& value);

} // namespace mecovnik

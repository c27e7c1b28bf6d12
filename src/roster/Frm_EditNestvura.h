#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TNestvuraDialog;
}

namespace mecovnik {

class TAdvancedComboBox;
class TMonsterPresets;
class TNameOrder;
class TNestvura;

// The dialog in which the game master enters a new monster; it offers the
// remembered monster kinds and remembers the kind entered.
class TNestvuraDialog final : public QDialog
{
    Q_OBJECT

public:
    // rememberKind: OK stores the entered values as the kind of the entered
    // name (a new monster); off for a monster already in the roster, whose
    // name may carry its number.
    TNestvuraDialog(QWidget* owner, TMonsterPresets& presets, const TNameOrder& order,
                    bool rememberKind = true);
    ~TNestvuraDialog() override;
    Q_DISABLE_COPY_MOVE(TNestvuraDialog)

    // Fills the controls from the record, the name only when withName.
    void LoadFrom(const TNestvura& record, bool withName);
    // Takes the controls into the record, the name only when withName. A rule
    // that is not selected is -1.
    void StoreTo(TNestvura& record, bool withName);

    [[nodiscard]] Ui::TNestvuraDialog& Form() const { return *m_ui; }

private:
    void FormCreate();
    void Combo_JmenoChange_Click(TAdvancedComboBox* sender);
    void Btn_OKClick();

    std::unique_ptr<Ui::TNestvuraDialog> m_ui;
    TMonsterPresets& m_presets;
    const TNameOrder& m_order;
    bool m_rememberKind = true;
};

// Runs the dialog for a new monster. On OK the record holds what was entered
// and the presets hold it under the entered name; returns true. On cancel
// neither changes.
bool EnterMonster(QWidget* owner, TNestvura& record, TMonsterPresets& presets,
                  const TNameOrder& order);
// Runs the dialog, captioned "Upravit nestvůru", over a monster of the roster:
// name, level, rule and experience as the dialog enters them (picking a kind
// fills its values); the kinds stay as they are. True on OK, the record then
// holding the entered name, level, rule and experience.
bool EditMonsterDialog(QWidget* owner, TNestvura& record, TMonsterPresets& presets,
                       const TNameOrder& order);

} // namespace mecovnik

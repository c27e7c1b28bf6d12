#include "roster/Frm_EditNestvura.h"

#include "ui_Frm_EditNestvura.h"

#include "components/DialogForm.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "roster/TMonsterPresets.h"
#include "roster/TNameOrder.h"
#include "roster/TNestvura.h"

#include <QLineEdit>

#include <algorithm>
#include <array>

namespace mecovnik {

TNestvuraDialog::TNestvuraDialog(QWidget* owner, TMonsterPresets& presets, const TNameOrder& order,
                                 bool rememberKind)
    : QDialog(owner), m_ui(std::make_unique<Ui::TNestvuraDialog>()), m_presets(presets),
      m_order(order), m_rememberKind(rememberKind)
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    NameSpinEdit(*m_ui->UpDown_Uroven, QStringLiteral("Edit_Uroven"));
    NameSpinEdit(*m_ui->UpDown_Zkusenost, QStringLiteral("Edit_Zkusenost"));
    m_ui->StaticText1->SetFocusControl(m_ui->Combo_Jmeno);
    m_ui->StaticText2->SetFocusControl(m_ui->UpDown_Uroven);
    m_ui->StaticText3->SetFocusControl(m_ui->Combo_Odolnost);
    m_ui->StaticText4->SetFocusControl(m_ui->UpDown_Zkusenost);
    // Typing must never complete to a remembered name.
    m_ui->Combo_Jmeno->setCompleter(nullptr);
    connect(m_ui->Combo_Jmeno, &TAdvancedComboBox::OnChange_Click, this,
            &TNestvuraDialog::Combo_JmenoChange_Click);
    connect(m_ui->Btn_OK, &QPushButton::clicked, this, &TNestvuraDialog::Btn_OKClick);
    connect(m_ui->Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TNestvuraDialog::~TNestvuraDialog() = default;

void TNestvuraDialog::FormCreate()
{
    // The box keeps its names sorted in the user's order.
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(m_presets.Count()));
    for (int i = 0; i < m_presets.Count(); ++i)
        names.push_back(m_presets.At(i)->Name);
    std::stable_sort(names.begin(), names.end(),
                     [this](const auto& a, const auto& b) { return m_order.Compare(a, b) < 0; });
    QStringList items;
    items.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names)
        items << ToQString(name);
    const QSignalBlocker quiet(m_ui->Combo_Jmeno);
    m_ui->Combo_Jmeno->addItems(items);
    m_ui->Combo_Jmeno->setCurrentIndex(-1);
}

void TNestvuraDialog::LoadFrom(const TNestvura& record, bool withName)
{
    if (withName)
        m_ui->Combo_Jmeno->setEditText(ToQString(record.Name));
    m_ui->UpDown_Uroven->setValue(record.Level);
    m_ui->UpDown_Zkusenost->setValue(record.KillExperience);
    const bool known = record.KnockOutRule >= 0 && record.KnockOutRule < KnockOutRuleCount;
    m_ui->Combo_Odolnost->setCurrentIndex(known ? record.KnockOutRule : -1);
}

void TNestvuraDialog::StoreTo(TNestvura& record, bool withName)
{
    if (withName)
        record.Name = ToStdString(m_ui->Combo_Jmeno->currentText());
    record.Level = Position(*m_ui->UpDown_Uroven);
    record.KnockOutRule = m_ui->Combo_Odolnost->currentIndex();
    record.KillExperience = Position(*m_ui->UpDown_Zkusenost);
}

void TNestvuraDialog::Combo_JmenoChange_Click(TAdvancedComboBox* sender)
{
    const int index = m_presets.IndexOf(ToStdString(sender->currentText()), m_order);
    if (const TNestvura* preset = m_presets.At(index))
        LoadFrom(*preset, false);
}

void TNestvuraDialog::Btn_OKClick()
{
    if (!m_rememberKind) {
        accept();
        return;
    }
    const std::string name = ToStdString(m_ui->Combo_Jmeno->currentText());
    int index = m_presets.IndexOf(name, m_order);
    if (index < 0)
        index = m_presets.Append(std::make_unique<TNestvura>(name));
    TNestvura& preset = *m_presets.At(index);
    const std::array<std::int32_t, 3> before{preset.Level, preset.KnockOutRule,
                                             preset.KillExperience};
    StoreTo(preset, false);
    // A kind picked and left as it was is no change the configuration lacks.
    if (before !=
        std::array<std::int32_t, 3>{preset.Level, preset.KnockOutRule, preset.KillExperience})
        m_presets.MarkChanged(index);
    accept();
}

namespace {

bool RunMonsterDialog(QWidget* owner, TNestvura& record, TMonsterPresets& presets,
                      const TNameOrder& order, bool rememberKind, const QString& caption)
{
    ScreenCursor hourglass;
    TNestvuraDialog dialog(owner, presets, order, rememberKind);
    dialog.LoadFrom(record, true);
    dialog.setWindowTitle(caption);
    hourglass.Restore();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreTo(record, true);
    return true;
}

} // namespace

bool EnterMonster(QWidget* owner, TNestvura& record, TMonsterPresets& presets,
                  const TNameOrder& order)
{
    return RunMonsterDialog(owner, record, presets, order, true, QStringLiteral("Nová nestvůra"));
}

bool EditMonsterDialog(QWidget* owner, TNestvura& record, TMonsterPresets& presets,
                       const TNameOrder& order)
{
    return RunMonsterDialog(owner, record, presets, order, false,
                            QStringLiteral("Upravit nestvůru"));
}

} // namespace mecovnik

#include "roster/Frm_ZranitNestvuru.h"

#include "ui_Frm_ZranitNestvuru.h"

#include "components/DialogForm.h"
#include "components/QtText.h"
#include "components/ScreenCursor.h"
#include "components/TAdvancedListBox.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/RosterRules.h"
#include "roster/TObjekt.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <utility>

namespace mecovnik {

TZranitNestvuruDialog::TZranitNestvuruDialog(QWidget* owner)
    : QDialog(owner), m_ui(std::make_unique<Ui::TZranitNestvuruDialog>())
{
    m_ui->setupUi(this);
    PrepareDialog(*this);
    NameSpinEdit(*m_ui->UpDown_Zraneni, QStringLiteral("Edit_Zraneni"));
    m_ui->StaticText1->SetFocusControl(m_ui->UpDown_Zraneni);
    connect(m_ui->Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TZranitNestvuruDialog::~TZranitNestvuruDialog() = default;

void TZranitNestvuruDialog::ShowWho(const QString& line)
{
    if (!m_who) {
        m_who = new QLabel(this);
        m_who->setObjectName(QStringLiteral("Label_Kdo"));
        // A name is text, never markup.
        m_who->setTextFormat(Qt::PlainText);
        m_who->setWordWrap(true);
    }
    m_who->setText(line);
    const int width = m_ui->GroupBox1->width();
    const int height = m_who->heightForWidth(width);
    const int below = height + 6;
    const int shift = below - std::exchange(m_whoRoom, below);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != m_who)
            child->move(child->x(), child->y() + shift);
    m_who->setGeometry(m_ui->GroupBox1->x(), 8, width, height);
    m_who->show();
    setFixedSize(this->width(), this->height() + shift);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(this->width() / 2, this->height() / 2));
    }
}

std::optional<TWound> WoundMonster(QWidget* owner, TNestvuryWindow& monsters,
                                   TPostavyWindow& characters)
{
    ScreenCursor hourglass;
    TZranitNestvuruDialog dialog(owner);
    if (const TObjekt* monster = monsters.Active()) {
        const TObjekt* character = characters.Active();
        dialog.ShowWho(ToQString(WoundLine(character ? character->Name : std::string(),
                                           monster->Name, monster->Lives, monster->MaxLives)));
    }
    hourglass.Restore();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // The selections at the moment of OK decide who is involved.
    const int damage = Position(*dialog.Form().UpDown_Zraneni);
    const TObjekt* monster = monsters.Active();
    std::optional<TWound> wound;
    if (monster)
        wound = TWound{monster->Name, monster->Lives, 0};
    const std::int32_t experience = monsters.WoundActive(damage);
    if (wound)
        wound->LivesAfter = monster->Lives;
    characters.AddExperience(characters.ListBox()->ItemIndex(), experience);
    return wound;
}

} // namespace mecovnik

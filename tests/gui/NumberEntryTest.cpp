// Number fields as a game master meets them: typing into a dialog as it opens,
// Tab from field to field, numbers beyond a field's range.
#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "components/TAdvancedListBox.h"
#include "components/TNumberEdit.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QLineEdit>
#include <QScopeGuard>

using namespace mecovnik;
using test::Flush;
using test::TDialogAnswerer;

namespace {

// The focused control, as the keyboard reaches it.
QWidget* Focused()
{
    return QApplication::focusWidget();
}

// The number field holding the focus, or nullptr.
TNumberEdit* FocusedNumber()
{
    for (QWidget* w = Focused(); w; w = w->parentWidget())
        if (auto* number = qobject_cast<TNumberEdit*>(w))
            return number;
    return nullptr;
}

void Type(const QString& text)
{
    QTest::keyClicks(Focused(), text);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(Focused(), key, modifiers);
}

// Whether the whole text of the field is selected.
bool WhollySelected(TNumberEdit& number)
{
    QLineEdit* edit = number.findChild<QLineEdit*>();
    return edit && !edit->text().isEmpty() && edit->selectedText() == edit->text();
}

QString Shown(TNumberEdit& number)
{
    return number.findChild<QLineEdit*>()->text();
}

} // namespace

class NumberEntryTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;

    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }

    // Runs a menu command and lets fill handle its dialog; the dialog is
    // cancelled afterwards if fill left it open (a failed check).
    void Run(const char* action, const std::function<void(QDialog&)>& fill)
    {
        m_dialogs.Next([fill](QDialog& d) {
            const auto closeAnyway = qScopeGuard([&d] {
                if (d.isVisible())
                    d.reject();
            });
            fill(d);
        });
        m_form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        QVERIFY2(m_dialogs.Answered(), action);
        Flush();
    }

    static void Click(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        Flush();
    }

private slots:
    void init()
    {
        m_nastaveni.MonsterPresets.FreeListObjects();
        m_form = test::StartMainForm(m_nastaveni, test::TestServices(&m_help));
    }

    void cleanup() { m_form.reset(); }

    // The wound dialog opens with its field selected: 12 typed is a wound of 12.
    void typingIntoAFreshDialogReplacesItsNumber()
    {
        auto monster = std::make_unique<TNestvura>("Skřet");
        Nestvury().JoinMonster(std::move(monster));
        TObjekt* skret = Nestvury().Rows().At(0);
        skret->MaxLives = 500;
        skret->Lives = 500;
        Postavy().JoinCharacter(std::make_unique<TPostava>());
        Flush();
        Click(Postavy(), 0);
        Click(Nestvury(), 0);

        Run("Item_ZranitNestvuru", [](QDialog&) {
            QVERIFY(FocusedNumber());
            QVERIFY(WhollySelected(*FocusedNumber()));
            Type(QStringLiteral("12"));
            Key(Qt::Key_Return);
        });
        QCOMPARE(skret->Lives, 488);

        // The number dialog the same way, for every command that asks one.
        Run("Item_ZmenitZivotyNestvury_Akt", [](QDialog&) {
            Type(QStringLiteral("40"));
            Key(Qt::Key_Return);
        });
        QCOMPARE(skret->Lives, 40);
    }

    // Tab reaches every number field of every dialog with its text selected,
    // and what is typed then replaces it.
    void tabSelectsEveryNumberField()
    {
        Postavy().JoinCharacter(std::make_unique<TPostava>());
        Nestvury().JoinMonster(std::make_unique<TNestvura>("Vlk"));
        Flush();
        Click(Postavy(), 0);
        Click(Nestvury(), 0);
        for (const char* command : {"Item_NovaPostava", "Item_NovaNestvura", "Item_ZranitNestvuru",
                                    "Item_PridatZkusenost_Vsechny"}) {
            int fields = 0;
            Run(command, [&fields](QDialog& d) {
                QSet<TNumberEdit*> seen;
                const int all = static_cast<int>(d.findChildren<TNumberEdit*>().size());
                for (int step = 0; step < 12 && seen.size() < all; ++step) {
                    Key(Qt::Key_Tab);
                    TNumberEdit* number = FocusedNumber();
                    if (!number || seen.contains(number))
                        continue;
                    seen.insert(number);
                    QVERIFY2(WhollySelected(*number), qPrintable(number->objectName()));
                    Type(QStringLiteral("7"));
                    QCOMPARE(Shown(*number), QStringLiteral("7"));
                }
                fields = static_cast<int>(seen.size());
                QCOMPARE(fields, all);
                Key(Qt::Key_Escape);
            });
            QVERIFY2(fields > 0, command);
        }
    }

    // A number beyond the range stays as typed until OK, which takes the
    // nearest limit; no digit is dropped on the way.
    void numbersBeyondTheRangeAreTakenAtTheLimit()
    {
        Postavy().JoinCharacter(std::make_unique<TPostava>());
        Flush();
        Click(Postavy(), 0);
        TPostava* character = static_cast<TPostava*>(Postavy().Rows().At(0));

        Run("Item_PridatZkusenost_Aktivni", [](QDialog&) {
            Type(QStringLiteral("200000"));
            QCOMPARE(Shown(*FocusedNumber()), QStringLiteral("200000"));
            Key(Qt::Key_Return);
        });
        QCOMPARE(character->Experience, 10000);

        Run("Item_PridatZkusenost_Aktivni", [](QDialog&) {
            Type(QStringLiteral("-99999999999999999999"));
            QCOMPARE(Shown(*FocusedNumber()), QStringLiteral("-99999999999999999999"));
            Key(Qt::Key_Return);
        });
        QCOMPARE(character->Experience, 0);

        // A minus where the range has no negative numbers is refused.
        Run("Item_CastZkusenosti_Aktivni", [](QDialog&) {
            Type(QStringLiteral("-5"));
            QCOMPARE(Shown(*FocusedNumber()), QStringLiteral("5"));
            Key(Qt::Key_Escape);
        });

        // The character dialog: each field through Tab, beyond its range.
        Run("Item_NovaPostava", [](QDialog&) {
            Type(QStringLiteral("Bard"));
            for (const char* typed : {"600", "0", "2000"}) {
                Key(Qt::Key_Tab);
                Type(QString::fromLatin1(typed));
                QCOMPARE(Shown(*FocusedNumber()), QString::fromLatin1(typed));
            }
            Key(Qt::Key_Return);
        });
        const int bard = Postavy().Rows().Records().IndexOf("Bard");
        QVERIFY(bard >= 0);
        const TObjekt* record = Postavy().Rows().At(bard);
        QCOMPARE(record->Lives, 512);
        QCOMPARE(record->MaxLives, 1);
        QCOMPARE(record->KnockOut, 512);
    }
};

MECOVNIK_GUI_TEST_MAIN(NumberEntryTest)
#include "NumberEntryTest.moc"

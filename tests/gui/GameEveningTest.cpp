#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "RosterCommandRules.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeRandom.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "app/TFightKeeper.h"
#include "app/UserMessages.h"
#include "components/TAdvancedComboBox.h"
#include "components/TAdvancedListBox.h"
#include "components/TStaticText.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSpinBox>

using namespace mecovnik;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;

namespace {

using mecovnik::test::Child;
using mecovnik::test::Flush;
using mecovnik::test::TypeText;

void Press(QDialog& dialog, const char* button)
{
    QTest::mouseClick(&Child<QPushButton>(dialog, button), Qt::LeftButton);
}

// Types into a number field as a user would: Tab to it (which selects its
// text), type, leave it to OK.
void TypeNumber(QDialog& dialog, const char* upDown, const QString& text)
{
    auto& spin = Child<QSpinBox>(dialog, upDown);
    for (int i = 0; i < 12 && !spin.hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (!spin.hasFocus())
        qFatal("Tab does not reach %s", upDown);
    QTest::keyClicks(&spin, text);
}

// Counts the re-evaluations of the commands the main window receives: its
// own posted message, and the queued calls of the rosters' and the history's
// signals.
class TUpdateCounter final : public QObject
{
public:
    int Count = 0;
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == UM_UPDATECOMMANDS ||
            (e->type() == QEvent::MetaCall && watched->objectName() == u"CommandUpdates"))
            ++Count;
        return false;
    }
};

QString Text(const TObjekt* record, int column)
{
    return QString::fromStdString(record->GetColumnText(column));
}

} // namespace

class GameEveningTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    test::TFakeRandom* m_random = nullptr;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;
    TUpdateCounter m_updates;
    std::size_t m_steps = 0;

    TMainForm& Form() { return *m_form; }
    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }
    // Where the main window's queued re-evaluations of the commands go.
    QObject& Updates() { return *m_form->findChild<QObject*>(QStringLiteral("CommandUpdates")); }
    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    // Both rosters, row by row, and their selections.
    TFightData Fight()
    {
        TFightData d;
        d.Rosters[kPostavy] = DataOf(Postavy().Rows().Records());
        d.Rosters[kNestvury] = DataOf(Nestvury().Rows().Records());
        d.Selection = {{Postavy().ListBox()->ItemIndex(), Nestvury().ListBox()->ItemIndex()}};
        return d;
    }

    // After each command: a command that changed a roster is one step, which
    // undo takes back to exactly the fight before it and redo forward to the
    // fight after it; one that changed nothing is no step. The re-evaluations
    // that undo and redo post are dropped, so that the evening goes on as if
    // they had not been tried.
    void CheckStep(const char* action, const TFightData& before)
    {
        const TFightData after = Fight();
        const std::size_t steps = Form().Fight()->History().StepCount();
        if (after.Rosters == before.Rosters) {
            QVERIFY2(steps == m_steps, action);
            return;
        }
        QVERIFY2(steps == m_steps + 1, action);
        m_steps = steps;
        QVERIFY(Action("Item_Zpet").isEnabled());
        QVERIFY(!Action("Item_Znovu").isEnabled());
        Action("Item_Zpet").trigger();
        QVERIFY2(Fight() == before, action);
        QVERIFY(Action("Item_Znovu").isEnabled());
        Action("Item_Znovu").trigger();
        QVERIFY2(Fight() == after, action);
        QVERIFY(!Action("Item_Znovu").isEnabled());
        QCoreApplication::removePostedEvents(m_form.get(), UM_UPDATECOMMANDS);
        QCoreApplication::removePostedEvents(&Updates(), QEvent::MetaCall);
    }

    // Runs a menu command whose dialog the fill answers.
    void Run(const char* action, TDialogAnswerer::TFill fill)
    {
        const TFightData before = Fight();
        m_dialogs.Next(std::move(fill));
        Action(action).trigger();
        QVERIFY2(m_dialogs.Answered(), action);
        Flush();
        CheckStep(action, before);
    }

    // Runs a menu command that asks nothing, or only a question.
    void Trigger(const char* action)
    {
        const TFightData before = Fight();
        Action(action).trigger();
        Flush();
        CheckStep(action, before);
    }

    // Selects a roster row the way the user does, with the mouse.
    static void Click(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        Flush();
    }

    // Every roster command enabled exactly as the rosters' rows and
    // selections say.
    void CheckCommands()
    {
        const test::TRosterFacts facts{
            Postavy().ListBox()->ItemIndex() >= 0, Postavy().ListBox()->Count() > 0,
            Nestvury().ListBox()->ItemIndex() >= 0, Nestvury().ListBox()->Count() > 0};
        for (const test::TCommandRule& rule : test::kRosterCommandRules)
            QVERIFY2(Action(rule.Item).isEnabled() == rule.EnabledWhen(facts), rule.Item);
        for (const char* always :
             {"Item_NovaPostava", "Item_NovaNestvura", "Item_ShowPostavy", "Item_ShowNestvury"})
            QVERIFY(Action(always).isEnabled());
    }

    // Enters a character through its dialog.
    void NewCharacter(const QString& name, int lives, int max, int knockOut)
    {
        Run("Item_NovaPostava", [=](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Nová postava"));
            TypeText(&Child<QLineEdit>(d, "Edit_Jmeno"), name);
            TypeNumber(d, "UpDown_Zivoty", QString::number(lives));
            TypeNumber(d, "UpDown_MaxZivoty", QString::number(max));
            TypeNumber(d, "UpDown_Vyrazeni", QString::number(knockOut));
            Press(d, "Btn_OK");
        });
    }

    // Enters a monster by typing its name.
    void NewMonster(const QString& name, int level, int rule, int experience)
    {
        Run("Item_NovaNestvura", [=](QDialog& d) {
            TypeText(Child<QComboBox>(d, "Combo_Jmeno").lineEdit(), name);
            TypeNumber(d, "UpDown_Uroven", QString::number(level));
            Child<QComboBox>(d, "Combo_Odolnost").setCurrentIndex(rule);
            TypeNumber(d, "UpDown_Zkusenost", QString::number(experience));
            Press(d, "Btn_OK");
        });
    }

    // Answers the number dialog, checking what it asks.
    TDialogAnswerer::TFill Number(const char* caption, const char* label, int min, int max,
                                  int value)
    {
        return [=](QDialog& d) {
            QCOMPARE(d.windowTitle(), QString::fromUtf8(caption));
            QCOMPARE(Child<TStaticText>(d, "StaticText1").Caption(), QString::fromUtf8(label));
            QCOMPARE(Child<QGroupBox>(d, "GroupBox1").title(), QStringLiteral("Zkušenost"));
            auto& spin = Child<QSpinBox>(d, "UpDown_Zkusenost");
            QCOMPARE(spin.minimum(), min);
            QCOMPARE(spin.maximum(), max);
            QCOMPARE(spin.value(), 1);
            TypeNumber(d, "UpDown_Zkusenost", QString::number(value));
            Press(d, "Btn_OK");
        };
    }

private slots:
    void init()
    {
        TMainFormServices s = test::TestServices(&m_help);
        s.MakeRandom = [this] {
            auto random = std::make_unique<test::TFakeRandom>();
            m_random = random.get();
            return random;
        };
        m_nastaveni.MonsterPresets.FreeListObjects();
        m_form = test::StartMainForm(m_nastaveni, std::move(s));
        m_steps = 0;
        m_updates.Count = 0;
        m_form->installEventFilter(&m_updates);
        Updates().installEventFilter(&m_updates);
    }

    void cleanup() { m_form.reset(); }

    void aWholeGameEvening()
    {
        TMessageBoxRecorder boxes;
        CheckCommands();

        // Characters, one refused as a duplicate ignoring case.
        NewCharacter(QStringLiteral("Aragorn"), 42, 50, 5);
        NewCharacter(QStringLiteral("Zbyněk"), 60, 40, 1);
        QCOMPARE(Postavy().Rows().rowCount(), 2);
        CheckCommands();
        NewCharacter(QStringLiteral("zbyněk"), 10, 10, 1);
        QCOMPARE(Postavy().Rows().rowCount(), 2);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Postava se jménem zbyněk už existuje."));
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        const TObjekt* zbynek = Postavy().Rows().At(1);
        QCOMPARE(Text(zbynek, 1), QStringLiteral("60/40(1)"));
        CheckCommands();

        // Monsters: the kind is remembered, repeats are numbered.
        m_random->Push(7); // dice 8, 1, 8
        m_random->Push(0);
        m_random->Push(7);
        NewMonster(QStringLiteral("Skřet"), 3, 2, 150);
        QCOMPARE(m_nastaveni.MonsterPresets.Count(), 1);
        QCOMPARE(Text(Nestvury().Rows().At(0), 1), QStringLiteral("17/17(2)"));
        for (std::uint32_t die : {7u, 7u, 7u, 7u}) // 24 lives, then 8
            m_random->Push(die);
        Run("Item_NovaNestvura", [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Nová nestvůra"));
            auto& names = Child<TAdvancedComboBox>(d, "Combo_Jmeno");
            QCOMPARE(names.count(), 1);
            QVERIFY(names.currentText().isEmpty());
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Uroven").value(), 1);
            // Picking the kind fills its numbers.
            names.setFocus();
            QTest::keyClick(&names, Qt::Key_Down);
            QCOMPARE(names.currentText(), QStringLiteral("Skřet"));
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Uroven").value(), 3);
            QCOMPARE(Child<QComboBox>(d, "Combo_Odolnost").currentIndex(), 2);
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Zkusenost").value(), 150);
            Press(d, "Btn_OK");
        });
        NewMonster(QStringLiteral("skřet"), 1, 0, 100); // typed: nothing filled, kind overwritten
        QStringList names;
        for (int row = 0; row < Nestvury().Rows().rowCount(); ++row)
            names << Nestvury().Rows().index(row).data().toString();
        QCOMPARE(names, (QStringList{QStringLiteral("Skřet"), QStringLiteral("Skřet [1]"),
                                     QStringLiteral("skřet [2]")}));
        QCOMPARE(m_nastaveni.MonsterPresets.Count(), 1);
        QCOMPARE(m_nastaveni.MonsterPresets.At(0)->Level, 1);
        QCOMPARE(m_nastaveni.MonsterPresets.At(0)->Name, std::string("Skřet"));
        CheckCommands();

        // The wound needs both selections.
        QVERIFY(!Action("Item_ZranitNestvuru").isEnabled());
        Click(Postavy(), 0); // Aragorn
        CheckCommands();
        QVERIFY(!Action("Item_ZranitNestvuru").isEnabled());
        Click(Nestvury(), 0); // Skřet, 17 lives worth 150
        CheckCommands();
        QVERIFY(Action("Item_ZranitNestvuru").isEnabled());
        Run("Item_ZranitNestvuru", [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Zranit nestvůru"));
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Zraneni").maximum(), 1000);
            TypeNumber(d, "UpDown_Zraneni", QStringLiteral("5"));
            Press(d, "Btn_OK");
        });
        const auto* aragorn = static_cast<const TPostava*>(Postavy().Rows().At(0));
        QCOMPARE(aragorn->Experience, 44); // 5 * 150 / 17
        QCOMPARE(aragorn->UnassignedExperience, 44);
        Run("Item_ZranitNestvuru", [](QDialog& d) {
            TypeNumber(d, "UpDown_Zraneni", QStringLiteral("1000"));
            Press(d, "Btn_OK");
        });
        QCOMPARE(Nestvury().Rows().At(0)->Lives, 0); // dead
        QCOMPARE(aragorn->Experience, 44 + 105);     // 12 * 150 / 17 for the rest only
        Run("Item_ZranitNestvuru", [](QDialog& d) {
            TypeNumber(d, "UpDown_Zraneni", QStringLiteral("5")); // the monster is dead
            Press(d, "Btn_OK");
        });
        QCOMPARE(Nestvury().Rows().At(0)->Lives, 0);
        QCOMPARE(aragorn->Experience, 149);
        Run("Item_ZranitNestvuru", [](QDialog& d) { Press(d, "Btn_Cancel"); });
        QCOMPARE(aragorn->Experience, 149);

        // Handing over: all for the active character, with the announcement.
        boxes.Clear();
        Trigger("Item_CelaZkusenost_Aktivni");
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Hráč postavy Aragorn si připíše 149 bodů zkušenosti."));
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Information);
        QCOMPARE(aragorn->UnassignedExperience, 0);
        QCOMPARE(aragorn->Experience, 149);
        Trigger("Item_CelaZkusenost_Aktivni"); // nothing left: nothing shown
        QCOMPARE(boxes.Shown().size(), 1);

        // Experience added for all, then a part handed over to each.
        Run("Item_PridatZkusenost_Vsechny",
            Number("Přidat zkušenost", "&Zkušenost:", -10000, 10000, 30));
        const auto* zbynekP = static_cast<const TPostava*>(Postavy().Rows().At(1));
        QCOMPARE(zbynekP->UnassignedExperience, 30);
        boxes.Clear();
        Run("Item_CastZkusenosti_Vsechny",
            Number("Přidělit zkušenost", "&Zkušenost:", 1, 10000, 20));
        QCOMPARE(boxes.Shown().size(), 2);
        QCOMPARE(boxes.Shown()[0].Text,
                 QStringLiteral("Hráč postavy Aragorn si připíše 20 bodů zkušenosti."));
        QCOMPARE(boxes.Shown()[1].Text,
                 QStringLiteral("Hráč postavy Zbyněk si připíše 20 bodů zkušenosti."));
        Run("Item_CastZkusenosti_Aktivni",
            Number("Přidělit zkušenost", "&Zkušenost:", 1, 10000, 50));
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Hráč postavy Aragorn si připíše 10 bodů zkušenosti."));
        Run("Item_PridatZkusenost_Aktivni",
            Number("Přidat zkušenost", "&Zkušenost:", -10000, 10000, -10000));
        QCOMPARE(aragorn->Experience, 179); // nothing unassigned was left to take
        Trigger("Item_VynulovatZkusenost_Aktivni");
        QCOMPARE(aragorn->Experience, 0);
        QCOMPARE(Text(zbynekP, 2), QStringLiteral("30"));
        Trigger("Item_VynulovatZkusenost_Vsechny");
        QCOMPARE(Text(zbynekP, 2), QStringLiteral("0"));

        // Lives: set and adjust, for one and for all.
        Run("Item_ZmenitZivoty_Aktivni", Number("Změnit životy", "Ž&ivoty:", 0, 1000, 1000));
        QCOMPARE(aragorn->Lives, 50);
        Run("Item_PridatZivoty_Aktivni", Number("Přidat životy", "Ž&ivoty:", -10, 100, -10));
        QCOMPARE(aragorn->Lives, 40);
        Run("Item_PridatZivoty_Vsechny", Number("Přidat životy", "Ž&ivoty:", -10, 100, 5));
        QCOMPARE(zbynekP->Lives, 40); // 60 of 40 is brought down to the maximum
        Run("Item_ZmenitZivoty_Vsechny", Number("Změnit životy", "Ž&ivoty:", 0, 1000, 3));
        QCOMPARE(aragorn->Lives, 3); // knocked out with threshold 5
        QVERIFY(aragorn->IsKnockedOut());
        Run("Item_ZmenitZivotyNestvury_All", Number("Změnit životy", "Ž&ivoty:", 0, 1000, 2));
        Click(Nestvury(), 2);
        Run("Item_PridatZivotyNestvury_Akt", Number("Přidat životy", "Ž&ivoty:", -10, 100, 4));
        Click(Nestvury(), 1);
        Run("Item_ZmenitZivotyNestvury_Akt", Number("Změnit životy", "Ž&ivoty:", 0, 1000, 0));
        Run("Item_PridatZivotyNestvury_All", Number("Přidat životy", "Ž&ivoty:", -10, 100, 0));
        QCOMPARE(Text(Nestvury().Rows().At(0), 1).section(u'/', 0, 0), QStringLiteral("2"));
        QCOMPARE(Nestvury().Rows().At(1)->Lives, 0);
        QCOMPARE(Nestvury().Rows().At(2)->Lives, 6);
        CheckCommands();

        // A cancelled number changes nothing.
        Run("Item_ZmenitZivoty_Vsechny", [](QDialog& d) { Press(d, "Btn_Cancel"); });
        QCOMPARE(aragorn->Lives, 3);

        // The dead go, then the dead and knocked out; the selected one stays
        // selected and no re-evaluation is posted.
        boxes.Answer(QMessageBox::Yes);
        Click(Nestvury(), 2); // skřet [2], 6 lives
        const int updatesBefore = m_updates.Count;
        Trigger("Item_SmazatMrtveNestvury");
        Flush();
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Opravdu chcete smazat všechny mrtvé nestvůry?"));
        QCOMPARE(Nestvury().Rows().rowCount(), 2);
        QCOMPARE(Nestvury().Active()->Name, std::string("skřet [2]"));
        boxes.Answer(QMessageBox::Yes);
        Trigger("Item_SmazatVyrazeneNestvury");
        Flush();
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Opravdu chcete smazat všechny mrtvé a vyřazené nestvůry?"));
        QCOMPARE(Nestvury().Rows().rowCount(), 1);
        boxes.Answer(QMessageBox::Yes);
        Trigger("Item_SmazatVsechnyNestvury");
        Flush();
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Opravdu chcete smazat všechny nestvůry?"));
        QCOMPARE(Nestvury().Rows().rowCount(), 0);
        QCOMPARE(m_updates.Count, updatesBefore);
        QVERIFY(Action("Item_SmazatVsechnyNestvury").isEnabled()); // stale until the next post
        boxes.Answer(QMessageBox::Yes);
        Trigger("Item_SmazatVsechnyNestvury"); // asked even with nothing to delete
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Opravdu chcete smazat všechny nestvůry?"));

        // One monster deleted after the question; No keeps it.
        NewMonster(QStringLiteral("Vlk"), 1, 1, 50);
        CheckCommands();
        Click(Nestvury(), 0);
        boxes.Answer(QMessageBox::No);
        Trigger("Item_SmazatNestvuru");
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Opravdu chcete smazat nestvůru Vlk?"));
        QCOMPARE(Nestvury().Rows().rowCount(), 1);
        boxes.Answer(QMessageBox::Yes);
        Trigger("Item_SmazatNestvuru");
        Flush();
        QCOMPARE(Nestvury().Rows().rowCount(), 0);
        CheckCommands();

        // Characters: the knocked-out one deleted after the question.
        Click(Postavy(), 0);
        boxes.Answer(QMessageBox::Yes);
        Trigger("Item_SmazatPostavu");
        Flush();
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Opravdu chcete smazat postavu Aragorn?"));
        QCOMPARE(Postavy().Rows().rowCount(), 1);
        QCOMPARE(Postavy().ListBox()->ItemIndex(), -1);
        CheckCommands();
        const qsizetype shown = boxes.Shown().size();
        Postavy().DeleteCharacter(); // nothing selected: a beep, no question
        QCOMPARE(boxes.Shown().size(), shown);
    }

    void namesAreTakenAsTypedAndNumberFieldsStayInRange()
    {
        TMessageBoxRecorder boxes;
        const QString odd = QStringLiteral("  R&y\"tíř%s\\ ");
        NewCharacter(odd, 5, 5, 1);
        QCOMPARE(Postavy().Rows().index(0).data().toString(), odd);
        Run("Item_NovaPostava", [](QDialog& d) {
            // Defaults of a new character, then text that no field may keep.
            QVERIFY(Child<QLineEdit>(d, "Edit_Jmeno").text().isEmpty());
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Zivoty").value(), 50);
            QCOMPARE(Child<QSpinBox>(d, "UpDown_MaxZivoty").value(), 50);
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Vyrazeni").value(), 1);
            QVERIFY(d.findChild<QLineEdit*>(QStringLiteral("Edit_Zivoty")));
            Child<QLineEdit>(d, "Edit_Jmeno").setText(QString(10000, u'W'));
            TypeNumber(d, "UpDown_Zivoty", QStringLiteral("99999"));
            TypeNumber(d, "UpDown_MaxZivoty", QStringLiteral("-7"));
            TypeNumber(d, "UpDown_Vyrazeni", QStringLiteral("abc"));
            Press(d, "Btn_OK");
        });
        const TObjekt* big =
            Postavy().Rows().At(Postavy().Rows().Records().IndexOf(std::string(10000, 'W')));
        QVERIFY(big);
        QVERIFY(big->Lives >= 1 && big->Lives <= 512);
        QVERIFY(big->MaxLives >= 1 && big->MaxLives <= 512);
        QVERIFY(big->KnockOut >= 1 && big->KnockOut <= 512);

        // Arrow keys stop at the ends of each range.
        Run("Item_NovaPostava", [](QDialog& d) {
            auto& spin = Child<QSpinBox>(d, "UpDown_Zivoty");
            spin.setValue(512);
            QTest::keyClick(&spin, Qt::Key_Up);
            QCOMPARE(spin.value(), 512);
            spin.setValue(1);
            QTest::keyClick(&spin, Qt::Key_Down);
            QCOMPARE(spin.value(), 1);
            Press(d, "Btn_Cancel");
        });
        QCOMPARE(Postavy().Rows().rowCount(), 2);

        // An empty name is a name; a second empty name is a duplicate.
        NewCharacter({}, 5, 5, 1);
        NewCharacter({}, 5, 5, 1);
        QCOMPARE(Postavy().Rows().rowCount(), 3);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Postava se jménem  už existuje."));

        // Monster fields: the extremes, and a kind whose rule is unknown.
        auto kind = std::make_unique<TNestvura>("Troll");
        kind->Level = 100000;
        kind->KnockOutRule = 9;
        kind->KillExperience = -5;
        m_nastaveni.MonsterPresets.Append(std::move(kind));
        Run("Item_NovaNestvura", [](QDialog& d) {
            auto& names = Child<TAdvancedComboBox>(d, "Combo_Jmeno");
            names.setFocus();
            QTest::keyClick(&names, Qt::Key_Down);
            QCOMPARE(names.currentText(), QStringLiteral("Troll"));
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Uroven").value(), 512);
            QCOMPARE(Child<QSpinBox>(d, "UpDown_Zkusenost").value(), 1);
            QCOMPARE(Child<QComboBox>(d, "Combo_Odolnost").currentIndex(), -1);
            Press(d, "Btn_OK");
        });
        const auto* troll = static_cast<const TNestvura*>(Nestvury().Rows().At(0));
        QCOMPARE(troll->Level, 512);
        QCOMPARE(troll->KnockOutRule, 0); // no rule picked: rolled as rule 0
        QVERIFY(troll->MaxLives >= 512 && troll->MaxLives <= 4096);
        QCOMPARE(m_nastaveni.MonsterPresets.At(0)->KnockOutRule, -1);

        // Cancelling after picking and changing a kind leaves the kind alone.
        Run("Item_NovaNestvura", [](QDialog& d) {
            auto& names = Child<TAdvancedComboBox>(d, "Combo_Jmeno");
            names.setFocus();
            QTest::keyClick(&names, Qt::Key_Down);
            TypeNumber(d, "UpDown_Uroven", QStringLiteral("7"));
            Press(d, "Btn_Cancel");
        });
        QCOMPARE(m_nastaveni.MonsterPresets.At(0)->Level, 512);
        QCOMPARE(Nestvury().Rows().rowCount(), 1);

        // A new kind is offered by the next dialog.
        NewMonster(QStringLiteral("50%"), 6, 3, 200);
        NewMonster(QStringLiteral("50%"), 6, 3, 200);
        QCOMPARE(Nestvury().Rows().index(1).data().toString(), QStringLiteral("50% [1]"));
        Run("Item_NovaNestvura", [](QDialog& d) {
            auto& names = Child<TAdvancedComboBox>(d, "Combo_Jmeno");
            QCOMPARE(names.count(), 2);
            QCOMPARE(names.itemText(0), QStringLiteral("50%"));
            Press(d, "Btn_Cancel");
        });

        // Commands with nothing selected do nothing.
        Postavy().ListBox()->SetItemIndex(-1);
        Nestvury().ListBox()->SetItemIndex(-1);
        QCOMPARE(Nestvury().WoundActive(10), 0);
        Postavy().HandOverExperience(-1, -1);
        Postavy().AddExperience(-1, 5);
        Postavy().ResetExperience(-1);
    }

    void toolbarCommandsRunOnlyOnAClick()
    {
        const QRect before = Postavy().geometry();
        TToolbar& toolbar = *Form().MainToolbar();
        toolbar.DoCommand(4, TToolbarCommandType::ctDblClick);
        toolbar.DoCommand(10, TToolbarCommandType::ctClick);
        toolbar.DoCommand(0, TToolbarCommandType::ctClick);
        QCOMPARE(Postavy().geometry(), before);
        toolbar.DoCommand(4, TToolbarCommandType::ctClick); // one above the other
        QCOMPARE(Postavy().geometry().width(), Form().MdiArea()->viewport()->width());
        toolbar.DoCommand(7, TToolbarCommandType::ctClick);
        QCOMPARE(m_help.Calls.size(), 1);
        QCOMPARE(m_help.Calls.front().Command, 11);
        toolbar.DoCommand(2, TToolbarCommandType::ctClick);
        QVERIFY(!Form().isVisible());
    }
};

MECOVNIK_GUI_TEST_MAIN(GameEveningTest)
#include "GameEveningTest.moc"

#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeJournalFile.h"
#include "TFakeRandom.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "app/TFightKeeper.h"
#include "components/TAdvancedListBox.h"
#include "history/FightJournalFormat.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;
using test::TypeText;

namespace {

const QString kQuestion =
    QStringLiteral("Program minule neskončil řádně. Obnovit rozehraný souboj?");
const QString kNotRemoved =
    QStringLiteral("Záznam rozehraného souboje ve složce /stav/mecovnik nelze smazat; při příštím "
                   "spuštění programu bude souboj znovu nabídnut.");
const QString kNotKept = QStringLiteral("Rozehraný souboj se nedaří průběžně ukládat do složky "
                                        "/stav/mecovnik; při pádu programu by se ztratil.");

QStringList Names(TObjektWindow& roster)
{
    QStringList names;
    for (int row = 0; row < roster.Rows().rowCount(); ++row)
        names << roster.Rows().index(row).data().toString();
    return names;
}

// A journal as a run would have left it, with these rosters and selections.
std::string LeftJournal(const QStringList& characters, const QStringList& monsters,
                        TFightSelection selection)
{
    const TAsciiNameOrder order;
    TRosterList postavy(order);
    TRosterList nestvury(order);
    for (const QString& name : characters) {
        auto c = std::make_unique<TPostava>(name.toStdString());
        c->Experience = 77;
        c->UnassignedExperience = 7;
        postavy.Add(std::move(c));
    }
    for (const QString& name : monsters) {
        auto m = std::make_unique<TNestvura>(name.toStdString());
        m->Lives = 3;
        m->MaxLives = 17;
        m->KnockOut = 2;
        m->KnockOutRule = 2;
        nestvury.Add(std::move(m));
    }
    return FormatJournal(1, postavy, nestvury, selection);
}

} // namespace

class HistoryWindowTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<test::TFakeJournalFile> m_file;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;

    void Start()
    {
        TMainFormServices s = test::TestServices(&m_help);
        s.Journal = m_file.get();
        m_form = test::StartMainForm(m_nastaveni, std::move(s));
        Flush();
    }

    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }
    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    void Run(const char* action, TDialogAnswerer::TFill fill)
    {
        QVERIFY2(m_dialogs.Run(Action(action), std::move(fill)), action);
    }

    void NewCharacter(const QString& name)
    {
        Run("Item_NovaPostava", test::NewCharacterFill(name));
    }

    void NewMonster(const QString& name) { Run("Item_NovaNestvura", test::NewMonsterFill(name)); }

    void Number(const char* action, int value)
    {
        Run(action, [=](QDialog& d) {
            auto& spin = Child<QSpinBox>(d, "UpDown_Zkusenost");
            spin.setFocus();
            spin.selectAll();
            QTest::keyClick(&spin, Qt::Key_Delete);
            QTest::keyClicks(&spin, QString::number(value));
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
    }

    void Click(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        list->scrollTo(list->model()->index(row, 0));
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        Flush();
    }

    QString Status() const { return m_form->statusBar()->currentMessage(); }

    // Presses keys in the main window, as the user does.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        // As the window manager does when a dialog has closed.
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(Postavy().ListBox(), key, modifiers);
        Flush();
    }

private slots:
    void init()
    {
        m_file = std::make_unique<test::TFakeJournalFile>();
        m_nastaveni.MonsterPresets.FreeListObjects();
    }
    void cleanup() { m_form.reset(); }

    void menuItemsNameTheirStepAndAnswerTheirKeys()
    {
        TMessageBoxRecorder boxes;
        Start();
        QAction& undo = Action("Item_Zpet");
        QAction& redo = Action("Item_Znovu");
        QVERIFY(!undo.isEnabled());
        QVERIFY(!redo.isEnabled());
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t"));
        QCOMPARE(redo.text(), QStringLiteral("Zn&ovu"));
        QCOMPARE(redo.shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Shift+Alt+Backspace"))}));

        NewCharacter(QStringLiteral("Aragorn"));
        QVERIFY(undo.isEnabled());
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Nová postava"));
        QCOMPARE(undo.statusTip(), QStringLiteral("Vrátit poslední změnu soupisek"));
        QVERIFY(!redo.isEnabled());

        // Alt+Backspace undoes, Ctrl+Y and Shift+Alt+Backspace redo.
        Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(Postavy().Rows().rowCount(), 0);
        // The status bar names what was taken back and the key that redoes it.
        QCOMPARE(Status(), QStringLiteral("Vráceno zpět: Nová postava. Znovu: Ctrl+Y"));
        QVERIFY(!undo.isEnabled());
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t"));
        QVERIFY(redo.isEnabled());
        QCOMPARE(redo.text(), QStringLiteral("Zn&ovu: Nová postava"));
        QCOMPARE(redo.statusTip(), QStringLiteral("Znovu provést vrácenou změnu soupisek"));
        Keys(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Names(Postavy()), QStringList{QStringLiteral("Aragorn")});
        QCOMPARE(Status(), QStringLiteral("Znovu provedeno: Nová postava. Zpět: Alt+Backspace"));
        Keys(Qt::Key_Backspace, Qt::AltModifier);
        Keys(Qt::Key_Backspace, Qt::ShiftModifier | Qt::AltModifier);
        QCOMPARE(Postavy().Rows().rowCount(), 1);
        QVERIFY(!redo.isEnabled());

        // Ctrl+Z still hands all experience over, as ever; it is a step too.
        Click(Postavy(), 0);
        Number("Item_PridatZkusenost_Aktivni", 40);
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Přidat zkušenost (aktivní postava)"));
        Keys(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Hráč postavy Aragorn si připíše 40 bodů zkušenosti."));
        QCOMPARE(undo.text(),
                 QStringLiteral("Zpě&t: Předat celou zkušenost hráči (všechny postavy)"));
        QCOMPARE(Status(),
                 QStringLiteral("Předána celá zkušenost všech postav. Zpět: Alt+Backspace"));
        Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(static_cast<TPostava*>(Postavy().Rows().At(0))->UnassignedExperience, 40);

        // A cancelled dialog and a No are no steps; a new change drops redo.
        QVERIFY(redo.isEnabled());
        Run("Item_NovaPostava", [](QDialog& d) {
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_Cancel"), Qt::LeftButton);
        });
        boxes.Answer(QMessageBox::No);
        Action("Item_SmazatPostavu").trigger();
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Přidat zkušenost (aktivní postava)"));
        QVERIFY(redo.isEnabled());
        NewMonster(QStringLiteral("Vlk"));
        QVERIFY(!redo.isEnabled());
        Click(Nestvury(), 0);
        Run("Item_ZranitNestvuru", [](QDialog& d) {
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Zranit nestvůru"));
        QCOMPARE(Nestvury().Rows().At(0)->Lives, 0); // its one life taken
        Number("Item_ZmenitZivotyNestvury_All", 5);
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Změnit životy (všechny nestvůry)"));
        Run("Item_PridatZivotyNestvury_All", [](QDialog& d) {
            auto& spin = Child<QSpinBox>(d, "UpDown_Zkusenost");
            spin.setFocus();
            QTest::keyClick(&spin, Qt::Key_Down); // 0
            QTest::keyClick(&spin, Qt::Key_Down); // -1
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Přidat životy (všechny nestvůry)"));
        boxes.Answer(QMessageBox::Yes);
        Action("Item_SmazatMrtveNestvury").trigger();
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Smazat všechny mrtvé nestvůry"));

        // Settings and monster kinds are no part of the history.
        Action("Item_AutomatickyUkladatNastaveni").trigger();
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Smazat všechny mrtvé nestvůry"));
        Action("Item_AutomatickyUkladatNastaveni").trigger();
        for (int i = 0; i < 5; ++i)
            Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(Nestvury().Rows().rowCount(), 0);
        QCOMPARE(undo.text(), QStringLiteral("Zpě&t: Přidat zkušenost (aktivní postava)"));
        QCOMPARE(m_nastaveni.MonsterPresets.Count(), 1);
    }

    void undoneDeletionsComeBackWithSelectionScrollAndNumbers()
    {
        TMessageBoxRecorder boxes;
        Start();
        for (int i = 0; i < 60; ++i)
            NewMonster(QStringLiteral("Vlk"));
        NewCharacter(QStringLiteral("Aragorn"));
        Click(Postavy(), 0);
        Click(Nestvury(), 41);
        const QString selected = Names(Nestvury())[41];
        auto* bar = Nestvury().ListBox()->verticalScrollBar();
        QVERIFY(bar->value() > 0);
        const QStringList all = Names(Nestvury());

        // One monster deleted and brought back: same row, same selection.
        boxes.Answer(QMessageBox::Yes);
        Action("Item_SmazatNestvuru").trigger();
        Flush();
        QCOMPARE(Nestvury().Rows().rowCount(), 59);
        QCOMPARE(Nestvury().ListBox()->ItemIndex(), -1);
        const int scrolled = bar->value();
        Action("Item_Zpet").trigger();
        Flush();
        QCOMPARE(Names(Nestvury()), all);
        QCOMPARE(Nestvury().ListBox()->ItemIndex(), 41);
        QCOMPARE(Postavy().ListBox()->ItemIndex(), 0);
        QCOMPARE(bar->value(), scrolled);

        // Numbering after undo and redo: the deleted number is free exactly
        // while the deletion is done.
        Action("Item_Znovu").trigger();
        NewMonster(QStringLiteral("vlk"));
        QVERIFY(Names(Nestvury()).contains(selected.toLower()));
        Action("Item_Zpet").trigger();
        Action("Item_Zpet").trigger();
        Flush();
        NewMonster(QStringLiteral("vlk"));
        QVERIFY(Names(Nestvury()).contains(QStringLiteral("vlk [60]")));

        // All monsters gone in one step, and back in one.
        boxes.Answer(QMessageBox::Yes);
        Action("Item_SmazatVsechnyNestvury").trigger();
        Flush();
        QCOMPARE(Nestvury().Rows().rowCount(), 0);
        QCOMPARE(Action("Item_Zpet").text(), QStringLiteral("Zpě&t: Smazat všechny nestvůry"));
        Action("Item_Zpet").trigger();
        Flush();
        QCOMPARE(Nestvury().Rows().rowCount(), 61);
        // Commands follow the restored rosters.
        QVERIFY(Action("Item_ZranitNestvuru").isEnabled() ==
                (Nestvury().ListBox()->ItemIndex() >= 0));
        QVERIFY(Action("Item_SmazatVsechnyNestvury").isEnabled());
    }

    void aLeftFightIsOfferedOnceTheWindowShows()
    {
        // Yes: both rosters come back with their selections, and the journal
        // holds them anew.
        {
            TMessageBoxRecorder boxes;
            boxes.Answer(QMessageBox::Yes);
            m_file->Content =
                LeftJournal({QStringLiteral("Bilbo"), QStringLiteral("Aragorn")},
                            {QStringLiteral("Skřet"), QStringLiteral("Skřet [1]")}, {{1, 1}});
            Start();
            QCOMPARE(boxes.Shown().size(), 1);
            QCOMPARE(boxes.Last()->Text, kQuestion);
            QCOMPARE(boxes.Last()->Buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(Names(Postavy()),
                     (QStringList{QStringLiteral("Aragorn"), QStringLiteral("Bilbo")}));
            QCOMPARE(Names(Nestvury()),
                     (QStringList{QStringLiteral("Skřet"), QStringLiteral("Skřet [1]")}));
            QCOMPARE(Postavy().ListBox()->ItemIndex(), 1);
            QCOMPARE(Nestvury().ListBox()->ItemIndex(), 1);
            QCOMPARE(static_cast<TPostava*>(Postavy().Rows().At(0))->Experience, 77);
            QCOMPARE(Nestvury().Rows().At(1)->GetColumnText(1), std::string("3/17(2)"));
            QVERIFY(Action("Item_ZranitNestvuru").isEnabled());
            QVERIFY(!Action("Item_Zpet").isEnabled());
            QCOMPARE(m_file->Replaces, 1);
            QVERIFY(m_file->Content->find("\"Bilbo\"") != std::string::npos);
            // The numbering knows the restored numbers.
            NewMonster(QStringLiteral("Skřet"));
            QVERIFY(Names(Nestvury()).contains(QStringLiteral("Skřet [2]")));
            // A proper end removes the journal.
            m_form->EndFight();
            QVERIFY(!m_file->Content.has_value());
            m_form.reset();
        }
        // No: the journal is given up and the rosters stay empty.
        {
            TMessageBoxRecorder boxes;
            m_file = std::make_unique<test::TFakeJournalFile>();
            m_file->Content = LeftJournal({QStringLiteral("Bilbo")}, {}, {});
            Start();
            QCOMPARE(boxes.Last()->Text, kQuestion);
            QCOMPARE(Postavy().Rows().rowCount(), 0);
            QVERIFY(!m_file->Content.has_value());
            m_form.reset();
        }
        // Damaged: kept aside, no question, and the user learns where it
        // went; an empty fight: nothing asked, nothing said.
        for (const std::string& left :
             {std::string("mecovnik-fight-journal 9\nsnapshot 1\n"), LeftJournal({}, {}, {})}) {
            TMessageBoxRecorder boxes;
            m_file = std::make_unique<test::TFakeJournalFile>();
            m_file->Content = left;
            Start();
            const bool damaged = left.find(" 9\n") != std::string::npos;
            QCOMPARE(boxes.Shown().size(), damaged ? 1 : 0);
            if (damaged) {
                QVERIFY(boxes.Last()->Text.contains(QStringLiteral("/stav/mecovnik")));
                QVERIFY(boxes.Last()->Text.contains(QStringLiteral("fight.journal.bak")));
            }
            QVERIFY(!m_file->Content.has_value());
            QCOMPARE(m_file->Backup.has_value(), damaged);
            m_form.reset();
        }
        // Another copy holds the journal: no question, nothing touches it,
        // not changes, not the end; the user is told once that this fight is
        // not kept.
        {
            TMessageBoxRecorder boxes;
            m_file = std::make_unique<test::TFakeJournalFile>();
            m_file->HeldElsewhere = true;
            m_file->Content = LeftJournal({QStringLiteral("Bilbo")}, {}, {});
            Start();
            NewCharacter(QStringLiteral("Aragorn"));
            Action("Item_Zpet").trigger();
            Flush();
            m_form->EndFight();
            QCOMPARE(boxes.Shown().size(), 1);
            QCOMPARE(boxes.Last()->Text, kNotKept);
            QCOMPARE(m_file->Touches, 0);
            QVERIFY(m_file->Claims >= 3); // tried again at each change
            QVERIFY(m_form->Fight()->JournalFailing());
            m_form.reset();
        }
    }

    void monsterKindsComeBackWithTheFightUntilTheConfigurationIsSaved()
    {
        TMessageBoxRecorder boxes;
        m_nastaveni.MonsterPresets.Append(std::make_unique<TNestvura>("Skřet"));
        m_nastaveni.MonsterPresets.MarkAllKept(); // as loaded from the configuration
        Start();
        // A new kind typed in the dialog, with its level and experience.
        Run("Item_NovaNestvura", [](QDialog& d) {
            TypeText(Child<QComboBox>(d, "Combo_Jmeno").lineEdit(), QStringLiteral("Bazilišek"));
            Child<QSpinBox>(d, "UpDown_Uroven").setValue(7);
            Child<QSpinBox>(d, "UpDown_Zkusenost").setValue(450);
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        // A known kind picked and left as it is adds nothing to carry.
        Run("Item_NovaNestvura", [](QDialog& d) {
            TypeText(Child<QComboBox>(d, "Combo_Jmeno").lineEdit(), QStringLiteral("Skřet"));
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        const TAsciiNameOrder order;
        TJournalReading r = ReadJournal(*m_file->Content, order);
        QCOMPARE(r.Fight.Kinds, (std::vector<TKindData>{{"Bazilišek", 7, 0, 450}}));

        // The program dies; the next start over the same journal, with the
        // configuration as it was saved, brings the kind back.
        const std::string left = *m_file->Content;
        m_form.reset();
        m_nastaveni.MonsterPresets.FreeListObjects();
        m_nastaveni.MonsterPresets.Append(std::make_unique<TNestvura>("Skřet"));
        m_nastaveni.MonsterPresets.MarkAllKept();
        m_file = std::make_unique<test::TFakeJournalFile>();
        m_file->Content = left;
        boxes.Answer(QMessageBox::Yes);
        Start();
        QCOMPARE(boxes.Last()->Text, kQuestion);
        QCOMPARE(Nestvury().Rows().rowCount(), 2);
        const TMonsterPresets& presets = m_nastaveni.MonsterPresets;
        QCOMPARE(presets.Count(), 2);
        const int index = presets.IndexOf("Bazilišek", order);
        QVERIFY(index >= 0);
        QCOMPARE(presets.At(index)->Level, 7);
        QCOMPARE(presets.At(index)->KillExperience, 450);
        // The dialog offers it again.
        Run("Item_NovaNestvura", [](QDialog& d) {
            auto& combo = Child<QComboBox>(d, "Combo_Jmeno");
            QVERIFY(combo.findText(QStringLiteral("Bazilišek")) >= 0);
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_Cancel"), Qt::LeftButton);
        });
        // Restored, it is still not saved: it stays in the journal.
        r = ReadJournal(*m_file->Content, order);
        QCOMPARE(r.Fight.Kinds, (std::vector<TKindData>{{"Bazilišek", 7, 0, 450}}));

        // Saved in the configuration, it leaves the journal at the next
        // whole write.
        Action("Item_UlozitNastaveni").trigger();
        Flush();
        m_file->FailAppends = true; // forces the whole fight to be written
        NewCharacter(QStringLiteral("Aragorn"));
        r = ReadJournal(*m_file->Content, order);
        QCOMPARE(r.Fight.Rosters[kPostavy].size(), 1u);
        QVERIFY(r.Fight.Kinds.empty());
    }

    void aFightThatCannotBeKeptIsSaidOnceAndTriedAgain()
    {
        TMessageBoxRecorder boxes;
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        QVERIFY(boxes.Shown().isEmpty());
        // A full disk: neither appends nor whole writes get through.
        m_file->FailAppends = true;
        m_file->FailReplaces = true;
        NewCharacter(QStringLiteral("Bilbo"));
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, kNotKept);
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        NewMonster(QStringLiteral("Vlk"));
        Action("Item_Zpet").trigger();
        Flush();
        QCOMPARE(boxes.Shown().size(), 1); // said once
        // Room again: the next change writes the whole fight and says nothing.
        m_file->FailAppends = false;
        m_file->FailReplaces = false;
        NewCharacter(QStringLiteral("Frodo"));
        QCOMPARE(boxes.Shown().size(), 1);
        const TAsciiNameOrder order;
        const TJournalReading r = ReadJournal(*m_file->Content, order);
        QCOMPARE(r.Fight.Rosters[kPostavy].size(), 3u);
        QVERIFY(r.Fight.Rosters[kNestvury].empty());
        // A new failure after the recovery is said again.
        m_file->FailAppends = true;
        m_file->FailReplaces = true;
        NewCharacter(QStringLiteral("Sam"));
        QCOMPARE(boxes.Shown().size(), 2);
        QCOMPARE(boxes.Last()->Text, kNotKept);
    }

    void aJournalThatCannotBeRemovedIsSaid()
    {
        // After "Ne", and at a proper end: the fight would be offered again.
        TMessageBoxRecorder boxes;
        m_file->Content = LeftJournal({QStringLiteral("Bilbo")}, {}, {});
        m_file->FailRemoves = true;
        Start();
        QCOMPARE(boxes.Shown().size(), 2);
        QCOMPARE(boxes.Shown()[0].Text, kQuestion);
        QCOMPARE(boxes.Shown()[1].Text, kNotRemoved);
        m_form->EndFight();
        QCOMPARE(boxes.Shown().size(), 3); // at once: the event loop has ended
        QCOMPARE(boxes.Last()->Text, kNotRemoved);
    }

    void everyCompletedChangeIsInTheJournal()
    {
        TMessageBoxRecorder boxes;
        Start();
        QVERIFY(!m_file->Content.has_value()); // nothing before the first change
        const TAsciiNameOrder order;
        const auto journalled = [&] {
            const TJournalReading r = ReadJournal(m_file->Content.value_or(std::string()), order);
            return r.Fight.Rosters[kPostavy].size() + r.Fight.Rosters[kNestvury].size();
        };
        NewCharacter(QStringLiteral("Aragorn"));
        QCOMPARE(journalled(), 1u);
        NewMonster(QStringLiteral("Vlk"));
        NewMonster(QStringLiteral("Vlk"));
        QCOMPARE(journalled(), 3u);
        Action("Item_Zpet").trigger();
        QCOMPARE(journalled(), 2u);
        Click(Postavy(), 0);
        Click(Nestvury(), 0);
        Run("Item_ZranitNestvuru", [](QDialog& d) {
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        const TJournalReading r = ReadJournal(*m_file->Content, order);
        QCOMPARE(r.Fight.Rosters[kNestvury][0].Numbers[0], Nestvury().Rows().At(0)->Lives);
        QCOMPARE(r.Fight.Selection.Rows, (std::array<int, 2>{0, 0}));
        QCOMPARE(m_file->Replaces, 1);
        QVERIFY(m_file->Appends >= 3);
    }
};

MECOVNIK_GUI_TEST_MAIN(HistoryWindowTest)
#include "HistoryWindowTest.moc"

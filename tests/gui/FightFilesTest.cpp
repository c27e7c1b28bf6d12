#include "FileFaults.h"
#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeJournalFile.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "app/TFightKeeper.h"
#include "components/LogCategories.h"
#include "components/TAdvancedListBox.h"
#include "components/TRunOnlyOnce.h"
#include "history/FightFile.h"
#include "persistence/TRegistryStore.h"
#include "platform/DocumentFile.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;
using test::TypeText;

namespace {

const QString kProgram = QStringLiteral("Mečovník pro Hradomor");

QStringList Names(TObjektWindow& roster)
{
    QStringList names;
    for (int row = 0; row < roster.Rows().rowCount(); ++row)
        names << roster.Rows().index(row).data().toString();
    return names;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// A fight file as the format's description gives it: characters and monsters
// by name with their numbers, no row selected.
QByteArray FightJson(const QList<QPair<QString, QList<int>>>& characters,
                     const QList<QPair<QString, QList<int>>>& monsters)
{
    const char* const characterKeys[] = {"zivoty", "max_zivoty", "vyrazeni", "zkusenost",
                                         "nepridelena_zkusenost"};
    const char* const monsterKeys[] = {
        "zivoty", "max_zivoty", "vyrazeni", "zkusenost_za_zabiti", "uroven", "pravidlo_vyrazeni"};
    const auto list = [](const QList<QPair<QString, QList<int>>>& rows, const char* const* keys) {
        QStringList objects;
        for (const auto& [name, numbers] : rows) {
            QStringList fields{QStringLiteral("\"jmeno\": \"%1\"").arg(name)};
            for (qsizetype i = 0; i < numbers.size(); ++i)
                fields << QStringLiteral("\"%1\": %2")
                              .arg(QString::fromLatin1(keys[i]))
                              .arg(numbers[i]);
            objects << u'{' + fields.join(QStringLiteral(", ")) + u'}';
        }
        return u'[' + objects.join(QStringLiteral(", ")) + u']';
    };
    return QStringLiteral("{\"format\": \"mecovnik-souboj\", \"verze\": 1, \"postavy\": %1, "
                          "\"nestvury\": %2, \"vybrano\": {\"postava\": null, \"nestvura\": "
                          "null}}\n")
        .arg(list(characters, characterKeys), list(monsters, monsterKeys))
        .toUtf8();
}

// Types a name into Qt's file dialog as a user does, and presses Enter.
void TypeFileName(QDialog& dialog, const QString& name)
{
    auto& edit = Child<QLineEdit>(dialog, "fileNameEdit");
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    TypeText(&edit, name);
    QTest::keyClick(&edit, Qt::Key_Return);
}

// Drops things on a window as a file manager does.
bool Drop(QWidget& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    Flush();
    return drop.isAccepted();
}

} // namespace

// The fight as a document in the main window: saved, opened, added, the
// recent list, dropped and handed-over files, and the fight kept at the end.
class FightFilesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TFakeRegistryFile> m_storeFile;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<test::TFakeJournalFile> m_journal;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;
    QString m_documents;
    QString m_kept;

    void Start(bool guard = false)
    {
        m_form.reset();
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        TMainFormServices s = test::TestServices(&m_help);
        s.Journal = m_journal.get();
        s.FightFolder = m_kept;
        s.RunOnlyOnce = guard;
        m_form = test::StartMainForm(*m_nastaveni, std::move(s));
        Flush();
    }

    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }
    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }
    TFightData Fight() { return m_form->Fight()->Fight(); }
    QString Caption() { return m_form->windowTitle(); }
    QString UndoText() { return Action("Item_Zpet").text(); }

    // Presses keys in the main window, as the user does.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(Postavy().ListBox(), key, modifiers);
        Flush();
    }

    // Keys that open a dialog, answered by fill.
    void KeysToDialog(Qt::Key key, Qt::KeyboardModifiers modifiers, TDialogAnswerer::TFill fill)
    {
        m_dialogs.Next(std::move(fill));
        Keys(key, modifiers);
        QVERIFY(m_dialogs.Answered());
        Flush();
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

    void Click(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        Flush();
    }

    QStringList RecentTexts()
    {
        QStringList texts;
        for (QAction* a :
             m_form->findChild<QMenu*>(QStringLiteral("Menu_NedavneSouboje"))->actions())
            texts << a->text();
        return texts;
    }

    QAction* RecentItem(int n)
    {
        return m_form->findChild<QMenu*>(QStringLiteral("Menu_NedavneSouboje"))->actions().value(n);
    }

    // The fight a file holds, read as the program reads it.
    TFightData FileFight(const QString& path)
    {
        const TFightFileReading r =
            ReadFightFile(Read(path).toStdString(), test::ProgramNameOrder());
        if (r.Error != TFightFileError::None)
            qWarning("%s does not read", qPrintable(path));
        return r.File.Fight;
    }

private slots:
    void init()
    {
        m_form.reset();
        m_nastaveni.reset();
        m_store.reset();
        m_storeFile = std::make_unique<test::TFakeRegistryFile>();
        m_store = std::make_unique<TRegistryStore>(*m_storeFile);
        m_journal = std::make_unique<test::TFakeJournalFile>();
        QDir home = QDir::home();
        home.removeRecursively();
        QDir().mkpath(QDir::homePath());
        m_documents = QDir::homePath() + QStringLiteral("/Documents");
        QVERIFY(QDir().mkpath(m_documents));
        m_kept = QDir::homePath() + QStringLiteral("/.local/state/mecovnik");
    }
    void cleanup() { m_form.reset(); }

    void savedWithCtrlSAndOpenedWithCtrlO()
    {
        TMessageBoxRecorder boxes;
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        NewCharacter(QStringLiteral("Bilbo & \"%1\""));
        NewMonster(QStringLiteral("Vlk"));
        NewMonster(QStringLiteral("Vlk"));
        Click(Postavy(), 1);
        Click(Nestvury(), 0);
        QCOMPARE(Caption(), kProgram);

        // The first Ctrl+S asks for a name in Qt's own dialog, in the documents
        // folder, offering fight files; the extension is added.
        KeysToDialog(Qt::Key_S, Qt::ControlModifier, [this](QDialog& d) {
            auto& dialog = static_cast<QFileDialog&>(d);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Uložit souboj jako"));
            QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog.directory().absolutePath(), m_documents);
            QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Souboje (*.souboj)")});
            TypeFileName(d, QStringLiteral("večer"));
        });
        const QString file = m_documents + QStringLiteral("/večer.souboj");
        const TFightData fought = Fight();
        QCOMPARE(FileFight(file), fought);
        QCOMPARE(fought.Selection.Rows, (std::array<int, 2>{1, 0}));
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj"));
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Nová nestvůra")); // saving is no step

        // A change marks the caption; undo back to the saved fight clears it.
        NewCharacter(QStringLiteral("Gimli"));
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj*"));
        Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj"));
        Keys(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj*"));

        // Ctrl+S again writes the same file without asking.
        m_dialogs.Next([](QDialog& d) { d.reject(); });
        Keys(Qt::Key_S, Qt::ControlModifier);
        QTest::qWait(300);
        QVERIFY(!m_dialogs.Answered());
        const TFightData saved = Fight();
        QCOMPARE(FileFight(file).Rosters, saved.Rosters);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj"));

        // A new fight: both rosters empty, no file, one step, nothing asked.
        Action("Item_NovySouboj").trigger();
        Flush();
        QCOMPARE(Postavy().Rows().rowCount() + Nestvury().Rows().rowCount(), 0);
        QCOMPARE(Caption(), kProgram);
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Nový souboj"));

        // Ctrl+O starts in the folder last used and brings it back exactly.
        KeysToDialog(Qt::Key_O, Qt::ControlModifier, [this](QDialog& d) {
            auto& dialog = static_cast<QFileDialog&>(d);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Otevřít souboj"));
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(dialog.directory().absolutePath(), m_documents);
            QCOMPARE(dialog.nameFilters().constFirst(), QStringLiteral("Souboje (*.souboj)"));
            TypeFileName(d, QStringLiteral("večer.souboj"));
        });
        QCOMPARE(Fight().Rosters, saved.Rosters);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj"));
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Otevřít souboj"));

        // Undo gives the empty fight and no file back; redo the opened one.
        Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(Postavy().Rows().rowCount(), 0);
        QCOMPARE(Caption(), kProgram);
        Keys(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Fight().Rosters, saved.Rosters);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – večer.souboj"));

        // Save as another name; an existing name is asked about first.
        Write(m_documents + QStringLiteral("/jiný.souboj"), "stará data");
        boxes.Answer(QMessageBox::No);
        boxes.Answer(QMessageBox::Yes);
        m_dialogs.Next([this](QDialog& d) {
            TypeFileName(d, QStringLiteral("jiný"));
            // Asked, answered No: the dialog comes back for another name.
            m_dialogs.Next([](QDialog& again) { TypeFileName(again, QStringLiteral("jiný")); });
        });
        Keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(m_dialogs.Answered());
        const QString question = QStringLiteral("Soubor %1/jiný.souboj už existuje. Chcete jej "
                                                "nahradit?")
                                     .arg(m_documents);
        QCOMPARE(boxes.Shown().size(), 2);
        QCOMPARE(boxes.Shown()[0].Text, question);
        QCOMPARE(boxes.Shown()[1].Text, question);
        QCOMPARE(FileFight(m_documents + QStringLiteral("/jiný.souboj")).Rosters, saved.Rosters);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – jiný.souboj"));
    }

    void addingAFileNumbersItsMonstersAndSkipsTakenCharactersOnce()
    {
        TMessageBoxRecorder boxes;
        const QString file = m_documents + QStringLiteral("/družina.souboj");
        Write(file, FightJson({{QStringLiteral("Aragorn"), {40, 50, 5, 300, 20}},
                               {QStringLiteral("Bilbo"), {10, 20, 2, 5, 5}},
                               {QStringLiteral("Gimli"), {30, 60, 6, 120, 0}}},
                              {{QStringLiteral("Skřet"), {7, 9, 1, 150, 3, 2}},
                               {QStringLiteral("Vlk"), {12, 17, 2, 90, 2, 1}}}));
        Start();
        NewCharacter(QStringLiteral("aragorn"));
        NewCharacter(QStringLiteral("Bilbo"));
        NewMonster(QStringLiteral("Vlk"));
        NewMonster(QStringLiteral("Vlk"));
        Click(Postavy(), 1);
        const TFightData before = Fight();

        Run("Item_PridatZeSouboru", [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Přidat ze souboru"));
            TypeFileName(d, QStringLiteral("družina.souboj"));
        });
        // Taken characters are named once, all together.
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Postavy „Aragorn“, „Bilbo“ už v soupisce "
                                                    "jsou, a proto nebyly přidány."));
        QCOMPARE(Names(Postavy()), (QStringList{QStringLiteral("aragorn"), QStringLiteral("Bilbo"),
                                                QStringLiteral("Gimli")}));
        // A monster of a taken name joins numbered after the others, with
        // all its numbers.
        QCOMPARE(Names(Nestvury()),
                 (QStringList{QStringLiteral("Skřet"), QStringLiteral("Vlk"),
                              QStringLiteral("Vlk [1]"), QStringLiteral("Vlk [2]")}));
        const TFightData added = Fight();
        QCOMPARE(added.Rosters[kNestvury][3].Numbers, (TRecordNumbers{12, 17, 2, 90, 2, 1}));
        QCOMPARE(added.Rosters[kPostavy][2].Numbers, (TRecordNumbers{30, 60, 6, 120, 0, 0}));
        // The selected character stays selected; the fight stays without a file.
        QCOMPARE(added.Selection.Rows[kPostavy], 1);
        QCOMPARE(Caption(), kProgram);
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Přidat ze souboru"));

        Keys(Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(Fight(), before);
        Keys(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Fight().Rosters, added.Rosters);
    }

    void theRecentListOpensNewestFirstAndSurvivesTheRun()
    {
        TMessageBoxRecorder boxes;
        const QString other = QDir::homePath() + QStringLiteral("/jinde");
        QVERIFY(QDir().mkpath(other));
        const QString a = m_documents + QStringLiteral("/a.souboj");
        const QString b = m_documents + QStringLiteral("/b&c.souboj");
        const QString c = m_documents + QStringLiteral("/c.souboj");
        const QString otherA = other + QStringLiteral("/a.souboj");
        const QString kept = m_kept + QStringLiteral("/konec-20240501-203007.souboj");
        const QString missing = m_documents + QStringLiteral("/chybí.souboj");
        for (const QString& path : {a, b, c, otherA})
            Write(path, FightJson({{QFileInfo(path).baseName(), {1, 1, 1, 0, 0}}}, {}));
        {
            TNastaveni stored(*m_store);
            stored.AutoSave = false;
            for (const QString& path : {a, b, c, otherA, kept, missing})
                stored.RecentFights.push_back(path.toStdString());
            QVERIFY(stored.Save());
        }
        Start();
        // Newest first, numbered; alike names show their paths; a fight kept
        // at the end shows when it was kept; "&" stays itself.
        QCOMPARE(RecentTexts(),
                 (QStringList{QStringLiteral("&1 ") + a, QStringLiteral("&2 b&&c.souboj"),
                              QStringLiteral("&3 c.souboj"), QStringLiteral("&4 ") + otherA,
                              QStringLiteral("&5 Souboj při ukončení – 1. 5. 2024 20:30"),
                              QStringLiteral("&6 chybí.souboj")}));
        QCOMPARE(RecentItem(2)->statusTip(), c);

        RecentItem(2)->trigger();
        Flush();
        QCOMPARE(Names(Postavy()), QStringList{QStringLiteral("c")});
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Otevřít souboj"));
        QCOMPARE(RecentTexts().constFirst(), QStringLiteral("&1 c.souboj"));

        // A file that is gone is said, and leaves the list.
        RecentItem(5)->trigger();
        Flush();
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Souboj ze souboru %1 nelze načíst: soubor nebo složka "
                                "neexistuje.")
                     .arg(missing));
        QCOMPARE(RecentTexts().size(), 5);
        QCOMPARE(Names(Postavy()), QStringList{QStringLiteral("c")});

        // The list is the program's state: kept while automatic saving is off,
        // whatever else was not saved.
        m_form.reset();
        TNastaveni next(*m_store);
        QVERIFY(next.Load());
        QVERIFY(!next.AutoSave);
        QCOMPARE(next.RecentFights,
                 (std::vector<std::string>{c.toStdString(), a.toStdString(), b.toStdString(),
                                           otherA.toStdString(), kept.toStdString()}));
        QCOMPARE(next.FightFolder, m_documents.toStdString());
    }

    void aDroppedFightFileOpens()
    {
        TMessageBoxRecorder boxes;
        const QString file = m_documents + QStringLiteral("/přetažený.SOUBOJ");
        Write(file, FightJson({{QStringLiteral("Legolas"), {20, 30, 3, 0, 0}}},
                              {{QStringLiteral("Troll"), {40, 40, 5, 500, 6, 0}}}));
        const QString text = m_documents + QStringLiteral("/poznámky.txt");
        Write(text, "nic");
        Start();
        QVERIFY(!Drop(*m_form, {QUrl::fromLocalFile(text)}));
        QVERIFY(!Drop(*m_form, {QUrl(QStringLiteral("https://example.invalid/a.souboj"))}));
        QVERIFY(Drop(*m_form, {QUrl::fromLocalFile(text), QUrl::fromLocalFile(file)}));
        QCOMPARE(Names(Postavy()), QStringList{QStringLiteral("Legolas")});
        QCOMPARE(Names(Nestvury()), QStringList{QStringLiteral("Troll")});
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – přetažený.SOUBOJ"));
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Otevřít souboj"));
        QVERIFY(boxes.Shown().isEmpty());
    }

    void aFileHandedOverByALaterCopyOpensOnceNothingElseRuns()
    {
        TMessageBoxRecorder boxes;
        const QString file = m_documents + QStringLiteral("/předaný.souboj");
        Write(file, FightJson({{QStringLiteral("Eowyn"), {20, 30, 3, 0, 0}}}, {}));
        Start(true);
        // A dialog is open when the later copy starts: the file waits for it.
        Run("Item_NovaPostava", [&](QDialog& d) {
            TRunOnlyOnce later;
            later.SetMessageString(kProgram);
            later.SetFileToHand(file);
            later.Loaded();
            QVERIFY(later.IsSecondCopy());
            QTest::qWait(700);
            QCOMPARE(Postavy().Rows().rowCount(), 0);
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_Cancel"), Qt::LeftButton);
        });
        QTRY_COMPARE(Names(Postavy()), QStringList{QStringLiteral("Eowyn")});
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – předaný.souboj"));
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Otevřít souboj"));

        // A file that is not there is said by the running copy.
        TRunOnlyOnce later;
        later.SetMessageString(kProgram);
        later.SetFileToHand(m_documents + QStringLiteral("/není.souboj"));
        later.Loaded();
        QTRY_COMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Souboj ze souboru %1/není.souboj nelze "
                                                    "načíst: soubor nebo složka neexistuje.")
                                         .arg(m_documents));
        QCOMPARE(Names(Postavy()), QStringList{QStringLiteral("Eowyn")});
    }

    // A file that cannot be read is said with its name and the reason, and
    // changes nothing.
    void aFileThatCannotBeOpenedChangesNothing()
    {
        TMessageBoxRecorder boxes;
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        const TFightData before = Fight();
        const QString undo = UndoText();
        const QByteArray valid = FightJson({{QStringLiteral("Cizinec"), {1, 1, 1, 0, 0}}}, {});
        const QString dir = m_documents + QStringLiteral("/složka.souboj");
        const QString fifo = m_documents + QStringLiteral("/roura.souboj");
        const QString big = m_documents + QStringLiteral("/velký.souboj");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(test::MakeFifo(fifo));
        {
            QFile huge(big);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(qint64{64} * 1024 * 1024 + 1));
        }
        const struct
        {
            const char* Name;
            QByteArray Bytes; // empty: made above
            QString Reason;
        } cases[] = {
            {"newer.souboj", QByteArray(valid).replace("\"verze\": 1", "\"verze\": 3"),
             QStringLiteral("soubor uložila novější verze programu")},
            {"jiny.souboj", "{\"format\": \"jiný\"}", QStringLiteral("nejde o soubor se soubojem")},
            {"bez-zivotu.souboj", QByteArray(valid).replace("\"zivoty\": 1, ", ""),
             QStringLiteral("v souboru chybí údaj (postava č. 1, „zivoty“)")},
            {"latin2.souboj", QByteArray(valid).replace("Cizinec", "Ciz\xEDnec"),
             QStringLiteral("soubor není text v kódování UTF-8 (bajt %1)")
                 .arg(valid.indexOf("Cizinec") + 3)},
            {"složka.souboj", {}, QStringLiteral("je to složka")},
            {"roura.souboj", {}, QStringLiteral("není to obyčejný soubor")},
            {"velký.souboj", {}, QStringLiteral("soubor je na souboj příliš velký")},
            {"chybí.souboj", {}, QStringLiteral("soubor nebo složka neexistuje")},
        };
        for (const auto& c : cases) {
            const QString path = m_documents + u'/' + QString::fromUtf8(c.Name);
            if (!c.Bytes.isEmpty())
                Write(path, c.Bytes);
            boxes.Clear();
            QVERIFY(Drop(*m_form, {QUrl::fromLocalFile(path)}));
            QCOMPARE(boxes.Shown().size(), 1);
            QCOMPARE(boxes.Last()->Text,
                     QStringLiteral("Souboj ze souboru %1 nelze načíst: %2.").arg(path, c.Reason));
            QCOMPARE(Fight(), before);
            QCOMPARE(UndoText(), undo);
            QCOMPARE(Caption(), kProgram);
        }
    }

    // A save that fails is said with the file and the reason; the old file
    // stays whole and the caption keeps its mark.
    void aSaveThatFailsKeepsTheMark()
    {
        TMessageBoxRecorder boxes;
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        KeysToDialog(Qt::Key_S, Qt::ControlModifier,
                     [](QDialog& d) { TypeFileName(d, QStringLiteral("boj")); });
        const QString file = m_documents + QStringLiteral("/boj.souboj");
        const QByteArray old = Read(file);
        NewCharacter(QStringLiteral("Bilbo"));
        const QString marked = kProgram + QStringLiteral(" – boj.souboj*");
        QCOMPARE(Caption(), marked);
        {
            test::TUnwritable folder(m_documents);
            if (folder.Works()) {
                Keys(Qt::Key_S, Qt::ControlModifier);
                QCOMPARE(boxes.Last()->Text,
                         QStringLiteral("Souboj nelze uložit do souboru %1: přístup odepřen.")
                             .arg(file));
                QCOMPARE(Caption(), marked);
            } else {
                qWarning("this file system cannot make a folder unwritable for root");
            }
        }
        QCOMPARE(Read(file), old);

        // A full disk, as a file-size limit makes it.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 16;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        Keys(Qt::Key_S, Qt::ControlModifier);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Souboj nelze uložit do souboru %1: soubor je pro disk příliš "
                                "velký.")
                     .arg(file));
        QCOMPARE(Caption(), marked);
        QCOMPARE(Read(file), old);
        QCOMPARE(QDir(m_documents).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("boj.souboj")});

        // Once it can, it saves.
        Keys(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Caption(), kProgram + QStringLiteral(" – boj.souboj"));
        QCOMPARE(FileFight(file).Rosters, Fight().Rosters);
    }

    // What stands at a document's name or its temporary name when it is
    // written or read.
    void documentsOnDisk()
    {
        const QString dir = QDir::homePath() + QStringLiteral("/disk");
        QVERIFY(QDir().mkpath(dir));
        const auto at = [&dir](const char* name) { return dir + u'/' + QString::fromUtf8(name); };
        const auto write = [](const QString& path, const char* bytes) {
            return WriteDocumentFile(path, bytes, lcFight());
        };

        // A new file takes the umask's mode; a replaced one keeps its own; a
        // private one is its owner's.
        const mode_t mask = ::umask(022);
        QCOMPARE(write(at("novy.souboj"), "1"), QString());
        QCOMPARE(test::Mode(at("novy.souboj")), 0644u);
        QVERIFY(::chmod(QFile::encodeName(at("novy.souboj")).constData(), 0640) == 0);
        QCOMPARE(write(at("novy.souboj"), "2"), QString());
        QCOMPARE(test::Mode(at("novy.souboj")), 0640u);
        QCOMPARE(Read(at("novy.souboj")), QByteArray("2"));
        QCOMPARE(WriteDocumentFile(at("soukromy.souboj"), "3", lcFight(), true), QString());
        QCOMPARE(test::Mode(at("soukromy.souboj")), 0600u);
        ::umask(mask);

        // A folder or a FIFO in the document's place is refused and stays.
        QVERIFY(QDir().mkpath(at("slozka.souboj")));
        QCOMPARE(write(at("slozka.souboj"), "x"), QStringLiteral("je to složka"));
        QCOMPARE(test::KindAt(at("slozka.souboj")), 'd');
        QVERIFY(test::MakeFifo(at("roura.souboj")));
        QCOMPARE(write(at("roura.souboj"), "x"), QStringLiteral("není to obyčejný soubor"));
        QCOMPARE(test::KindAt(at("roura.souboj")), 'p');

        // The user's link stays a link; the file it leads to is replaced. A
        // link that leads nowhere is said.
        Write(at("cil.souboj"), "starý");
        QVERIFY(QFile::link(at("cil.souboj"), at("odkaz.souboj")));
        QCOMPARE(write(at("odkaz.souboj"), "nový"), QString());
        QCOMPARE(test::KindAt(at("odkaz.souboj")), 'l');
        QCOMPARE(Read(at("cil.souboj")), QByteArray("nový"));
        QVERIFY(QFile::link(at("nikde.souboj"), at("mrtvy.souboj")));
        QCOMPARE(write(at("mrtvy.souboj"), "x"), QStringLiteral("odkaz nevede na žádný soubor"));

        // A link planted at the temporary name is never written through.
        Write(at("obet"), "nedotčeno");
        const QString document = at("boj.souboj");
        QVERIFY(QFile::link(at("obet"), DocumentTemporaryPath(document)));
        QCOMPARE(write(document, "souboj"), QString());
        QCOMPARE(Read(at("obet")), QByteArray("nedotčeno"));
        QCOMPARE(Read(document), QByteArray("souboj"));
        QCOMPARE(test::KindAt(DocumentTemporaryPath(document)), '-');

        // Reading: at once for a FIFO, a limit for large files, links followed.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ReadDocumentFile(at("roura.souboj"), 100, lcFight()).Problem,
                 QStringLiteral("není to obyčejný soubor"));
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(ReadDocumentFile(at("slozka.souboj"), 100, lcFight()).Problem,
                 QStringLiteral("je to složka"));
        QCOMPARE(ReadDocumentFile(at("zadny.souboj"), 100, lcFight()).Problem,
                 QStringLiteral("soubor nebo složka neexistuje"));
        const TDocumentRead linked = ReadDocumentFile(at("odkaz.souboj"), 100, lcFight());
        QCOMPARE(QByteArray::fromStdString(linked.Bytes), QByteArray("nový"));
        QVERIFY(!linked.BeyondLimit);
        const TDocumentRead cut = ReadDocumentFile(at("odkaz.souboj"), 2, lcFight());
        QVERIFY(cut.BeyondLimit);
        QVERIFY(cut.Problem.isEmpty());
    }

    void theFightIsKeptAtANormalEndAndOneClickBringsItBack()
    {
        TMessageBoxRecorder boxes;
        // Kept files of earlier ends: one the list holds, two it let go of,
        // and a user's own file that is no kept fight.
        QVERIFY(QDir().mkpath(m_kept));
        const QString listed = m_kept + QStringLiteral("/konec-20240101-100000.souboj");
        for (const char* name : {"konec-20240101-100000.souboj", "konec-20230101-100000.souboj",
                                 "konec-20230101-100000-2.souboj", "muj.souboj"})
            Write(m_kept + u'/' + QString::fromLatin1(name), "{}");
        {
            TNastaveni stored(*m_store);
            stored.RecentFights = {listed.toStdString()};
            QVERIFY(stored.Save());
        }
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        NewMonster(QStringLiteral("Vlk"));
        Click(Nestvury(), 0);
        const TFightData fight = Fight();
        m_form->EndFight();
        QVERIFY(boxes.Shown().isEmpty());
        // The journal goes as ever.
        QVERIFY(!m_journal->Content);

        const QStringList files = QDir(m_kept).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 3);
        QCOMPARE(files[0], QStringLiteral("konec-20240101-100000.souboj"));
        QVERIFY(files[1].startsWith(QStringLiteral("konec-") +
                                    QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
        QCOMPARE(files[2], QStringLiteral("muj.souboj"));
        const QString keptFile = m_kept + u'/' + files[1];
        QCOMPARE(test::Mode(keptFile), 0600u);
        QCOMPARE(FileFight(keptFile), fight);

        // The next start is empty; the newest item of the list brings the
        // fight back exactly, as a fight of no file.
        m_form.reset();
        m_journal = std::make_unique<test::TFakeJournalFile>();
        Start();
        QCOMPARE(Postavy().Rows().rowCount() + Nestvury().Rows().rowCount(), 0);
        const QDate today = QDate::currentDate();
        QVERIFY2(RecentTexts().constFirst().startsWith(
                     QStringLiteral("&1 Souboj při ukončení – %1. %2. %3 ")
                         .arg(today.day())
                         .arg(today.month())
                         .arg(today.year())),
                 qPrintable(RecentTexts().constFirst()));
        RecentItem(0)->trigger();
        Flush();
        QCOMPARE(Fight(), fight);
        QCOMPARE(Caption(), kProgram);
        QCOMPARE(UndoText(), QStringLiteral("Zpě&t: Otevřít souboj"));
        // Saving it asks for a name of its own, where the user keeps files.
        KeysToDialog(Qt::Key_S, Qt::ControlModifier, [this](QDialog& d) {
            QCOMPARE(static_cast<QFileDialog&>(d).directory().absolutePath(), m_documents);
            d.reject();
        });

        // An end with empty rosters keeps nothing.
        Action("Item_NovySouboj").trigger();
        m_form->EndFight();
        QCOMPARE(QDir(m_kept).entryList(QDir::Files).size(), 3);
    }

    void aFightThatCannotBeKeptIsSaidOnceAndStaysInTheJournal()
    {
        TMessageBoxRecorder boxes;
        // Something that is no folder where the folder belongs.
        QVERIFY(QDir().mkpath(QFileInfo(m_kept).absolutePath()));
        Write(m_kept, "soubor");
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        QVERIFY(m_journal->Content);
        const int removes = m_journal->Removes;
        m_form->EndFight();
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Souboj se při ukončení programu nepodařilo uschovat do složky "
                                "%1: složku nelze vytvořit. Při příštím spuštění programu bude "
                                "nabídnuto jeho obnovení.")
                     .arg(m_kept));
        QVERIFY(m_journal->Content);
        QCOMPARE(m_journal->Removes, removes);
    }
};

MECOVNIK_GUI_TEST_MAIN(FightFilesTest)
#include "FightFilesTest.moc"

#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeRandom.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "components/TAdvancedListBox.h"
#include "persistence/TRegistryStore.h"
#include "platform/TQtRegistryFile.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

using namespace mecovnik;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;

namespace {

using mecovnik::test::Flush;

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stored configuration: a placement, automatic saving off or on, three kinds.
QByteArray StoredConfiguration(bool autoSave)
{
    const char* text = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Nastavení]
"Automaticky ukládat nastavení"=dword:0000000%1

[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Okna]
"Hlavní.X"=dword:0000003c
"Hlavní.Y"=dword:00000028
"Hlavní.W"=dword:000002bc
"Hlavní.H"=dword:000001f4
"Hlavní.Stav"=dword:00000000

[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Nestvůry\Skřet]
"Životaschopnost"=dword:00000007
"Vyřazení"=dword:00000002
"Zkušenost"=dword:0000015e

[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Nestvůry\Drak]
"Životaschopnost"=dword:0000000c

[HKEY_CURRENT_USER\Software\Ferdax\Mečovník pro Hradomor\1.0\Nestvůry\Obří pavouk]
"Zkušenost"=dword:00000078
)";
    return QString::fromUtf8(text).arg(autoSave ? 1 : 0).toUtf8();
}

} // namespace

class PersistenceWindowTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    TDialogAnswerer m_dialogs;
    std::unique_ptr<TRegistryFile> m_file;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    std::unique_ptr<TMainForm> m_form;

    // The program's start over a store file, as RunProgram makes it.
    TMainForm& Start(std::unique_ptr<TRegistryFile> file)
    {
        m_form.reset();
        m_nastaveni.reset();
        m_store.reset();
        m_file = std::move(file);
        m_store = std::make_unique<TRegistryStore>(*m_file);
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        m_form = test::StartMainForm(*m_nastaveni, test::TestServices(&m_help));
        return *m_form;
    }

    std::unique_ptr<TRegistryFile> RealFile() const
    {
        return std::make_unique<TQtRegistryFile>(TQtRegistryFile::DefaultPath());
    }

    QAction& Action(const char* name) const
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    // The names the monster dialog offers.
    QStringList OfferedKinds()
    {
        QStringList names;
        m_dialogs.Next([&names](QDialog& d) {
            auto* combo = d.findChild<QComboBox*>(QStringLiteral("Combo_Jmeno"));
            for (int i = 0; combo && i < combo->count(); ++i)
                names << combo->itemText(i);
            d.reject();
        });
        Action("Item_NovaNestvura").trigger();
        Flush();
        return names;
    }

    static void WriteStored(const QByteArray& bytes)
    {
        const QString path = TQtRegistryFile::DefaultPath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void cleanup()
    {
        m_form.reset();
        QDir(QFileInfo(TQtRegistryFile::DefaultPath()).absolutePath()).removeRecursively();
        QFile::remove(QFileInfo(TQtRegistryFile::DefaultPath()).absolutePath());
    }

    void aFailedSaveIsShownAndTheCloseGoesOn()
    {
        auto failing = std::make_unique<test::TFakeRegistryFile>();
        failing->FailWrites = true;
        TMainForm& form = Start(std::move(failing));
        TMessageBoxRecorder boxes;
        Action("Item_UlozitNastaveni").trigger();
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Chyba při ukládání konfigurace do registry."));
        QCOMPARE(boxes.Last()->Caption, QStringLiteral("Mečovník"));
        QCOMPARE(boxes.Last()->Icon, QMessageBox::Critical);
        // No confirmation after a failed save.
        QVERIFY(form.statusBar()->currentMessage().isEmpty());

        boxes.Clear();
        QVERIFY(m_nastaveni->AutoSave);
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Chyba při ukládání konfigurace do registry."));
    }

    void aConfigFolderThatIsAFileFailsTheSaveForReal()
    {
        const QString folder = QFileInfo(TQtRegistryFile::DefaultPath()).absolutePath();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Start(RealFile());
        TMessageBoxRecorder boxes;
        Action("Item_UlozitNastaveni").trigger();
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Chyba při ukládání konfigurace do registry."));
        QVERIFY(QFileInfo(folder).isFile());
    }

    void theStoredConfigurationIsInForceAndQuittingWithoutSavingLeavesIt()
    {
        const QByteArray stored = StoredConfiguration(false);
        WriteStored(stored);
        const QDateTime written = QFileInfo(TQtRegistryFile::DefaultPath()).lastModified();
        TMainForm& form = Start(RealFile());
        QVERIFY(!Action("Item_AutomatickyUkladatNastaveni").isChecked());
        QCOMPARE(form.frameGeometry(), QRect(60, 40, 700, 500));
        // The dialog offers the kinds in the user's order.
        QCOMPARE(OfferedKinds(), (QStringList{QStringLiteral("Drak"), QStringLiteral("Obří pavouk"),
                                              QStringLiteral("Skřet")}));
        QCOMPARE(m_nastaveni->MonsterPresets.At(0)->KillExperience, 350);

        Action("Item_Quit").trigger();
        QVERIFY(!form.isVisible());
        QCOMPARE(ReadFile(TQtRegistryFile::DefaultPath()), stored);
        QCOMPARE(QFileInfo(TQtRegistryFile::DefaultPath()).lastModified(), written);
    }

    void withAutomaticSavingQuittingWritesAndTheNextStartIsAsLeft()
    {
        WriteStored(StoredConfiguration(true));
        TMainForm& form = Start(RealFile());
        QVERIFY(Action("Item_AutomatickyUkladatNastaveni").isChecked());
        form.setGeometry(90, 70, 640, 420);
        Flush();
        const QRect left = form.frameGeometry();
        // A new kind, remembered by the monster dialog.
        m_dialogs.Next([](QDialog& d) {
            auto* combo = d.findChild<QComboBox*>(QStringLiteral("Combo_Jmeno"));
            combo->setEditText(QStringLiteral("Kostlivec"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Btn_OK")), Qt::LeftButton);
        });
        Action("Item_NovaNestvura").trigger();
        QVERIFY(m_dialogs.Answered());
        Flush();
        QCOMPARE(m_nastaveni->MonsterPresets.Count(), 4);
        Action("Item_Quit").trigger();
        QVERIFY(!form.isVisible());
        const QByteArray saved = ReadFile(TQtRegistryFile::DefaultPath());
        QVERIFY(saved.contains("\\Nestvůry\\Kostlivec]"));

        TMainForm& again = Start(RealFile());
        QCOMPARE(again.frameGeometry(), left);
        QVERIFY(Action("Item_AutomatickyUkladatNastaveni").isChecked());
        QCOMPARE(OfferedKinds(),
                 (QStringList{QStringLiteral("Drak"), QStringLiteral("Kostlivec"),
                              QStringLiteral("Obří pavouk"), QStringLiteral("Skřet")}));
        again.close();
        // Nothing changed, so the second save wrote the same bytes.
        QCOMPARE(ReadFile(TQtRegistryFile::DefaultPath()), saved);
    }

    // Ctrl++ (or Ctrl+=) and Ctrl+- step the rosters' text; the size is kept
    // in the store and the next start draws the rows as tall.
    void theTextSizeStepsAndSurvivesARestart()
    {
        TMainForm* form = &Start(RealFile());
        const auto rowHeight = [&form](TObjektWindow* roster) {
            TAdvancedListBox* list = roster->ListBox();
            return list->visualRect(list->model()->index(0, 0)).height();
        };
        const auto press = [&form](Qt::Key key) {
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form));
            QTest::keyClick(form->PostavyWindow()->ListBox(), key, Qt::ControlModifier);
            Flush();
        };
        form->PostavyWindow()->JoinCharacter(std::make_unique<TPostava>("Bard"));
        form->NestvuryWindow()->JoinMonster(std::make_unique<TNestvura>("Skřet"));
        Flush();
        const int normal = rowHeight(form->PostavyWindow());
        QCOMPARE(normal, 13);
        press(Qt::Key_Minus); // nothing smaller than the normal size
        QCOMPARE(rowHeight(form->PostavyWindow()), normal);
        QList<int> heights{normal};
        for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Plus, Qt::Key_Plus,
                                  Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus}) {
            press(key);
            heights << rowHeight(form->PostavyWindow());
            QVERIFY2(heights.last() > heights[heights.size() - 2],
                     qPrintable(QString::number(heights.last())));
            QCOMPARE(rowHeight(form->NestvuryWindow()), heights.last());
        }
        // Eight steps make three times the normal size, the largest.
        QCOMPARE(heights.last(), 3 * normal);
        QCOMPARE(form->statusBar()->currentMessage(), QStringLiteral("Písmo seznamů: 300 %"));
        press(Qt::Key_Plus);
        QCOMPARE(rowHeight(form->PostavyWindow()), 3 * normal);
        for (int i = 0; i < 4; ++i)
            press(Qt::Key_Minus);
        const int kept = rowHeight(form->PostavyWindow());
        QCOMPARE(kept, heights[4]);
        QCOMPARE(form->statusBar()->currentMessage(), QStringLiteral("Písmo seznamů: 200 %"));

        Action("Item_Quit").trigger();
        QVERIFY(
            ReadFile(TQtRegistryFile::DefaultPath()).contains("\"Velikost písma\"=dword:000000c8"));
        form = &Start(RealFile());
        form->PostavyWindow()->JoinCharacter(std::make_unique<TPostava>("Bard"));
        Flush();
        QCOMPARE(rowHeight(form->PostavyWindow()), kept);
    }

    void aHostilePlacementIsKeptWithinTheScreens()
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const QRect desktop = screen->availableVirtualGeometry();
        struct TCase
        {
            const char* Why;
            QByteArray Stored; // Hlavní.X, .Y, .W, .H
            QRect Expected;
        };
        const QRect primary = screen->availableGeometry();
        const TCase cases[] = {
            {"a size of 32767 x 32767: the desktop at most", "00000000,00000000,00007fff,00007fff",
             desktop},
            {"wholly off the screens: brought onto the primary one",
             "7fff0000,7fff0000,00000190,0000012c",
             QRect(primary.right() + 1 - 400, primary.bottom() + 1 - 300, 400, 300)},
        };
        for (const TCase& c : cases) {
            const QList<QByteArray> v = c.Stored.split(',');
            QByteArray stored = StoredConfiguration(false);
            stored.replace("dword:0000003c", "dword:" + v[0])
                .replace("dword:00000028", "dword:" + v[1])
                .replace("dword:000002bc", "dword:" + v[2])
                .replace("dword:000001f4", "dword:" + v[3]);
            WriteStored(stored);
            TMainForm& form = Start(RealFile());
            QVERIFY2(form.frameGeometry() == c.Expected,
                     qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                    .arg(QString::fromLatin1(c.Why))
                                    .arg(form.frameGeometry().x())
                                    .arg(form.frameGeometry().y())
                                    .arg(form.frameGeometry().width())
                                    .arg(form.frameGeometry().height())));
            // Saving is off: the stored values stay as they were.
            form.close();
            QCOMPARE(ReadFile(TQtRegistryFile::DefaultPath()), stored);
            m_form.reset();
        }
    }
};

MECOVNIK_GUI_TEST_MAIN(PersistenceWindowTest)

#include "PersistenceWindowTest.moc"

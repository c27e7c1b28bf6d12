// The main window as a game master uses it at the table, under the program's
// own application object: selecting in the rosters, menu hints, help beside
// an open dialog, arranging the windows.
#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"

#include "app/Frm_Main.h"
#include "app/TApplication.h"
#include "components/TAdvancedListBox.h"
#include "persistence/TNastaveni.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>

using namespace mecovnik;
using test::Flush;

class TableUseTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<TMainForm> m_form;

    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }
    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    static void ClickAt(TObjektWindow& roster, QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(roster.ListBox()->viewport(), Qt::LeftButton, modifiers, at);
        Flush();
    }

    static QPoint RowCentre(TObjektWindow& roster, int row)
    {
        TAdvancedListBox* list = roster.ListBox();
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    static int SelectedCount(TObjektWindow& roster)
    {
        return static_cast<int>(roster.ListBox()->selectionModel()->selectedRows().size());
    }

private slots:
    void init()
    {
        m_nastaveni.MonsterPresets.FreeListObjects();
        m_form = test::StartMainForm(m_nastaveni, test::TestServices(&m_help));
    }

    void cleanup() { m_form.reset(); }

    // Only choosing another row changes the selection: the wound command
    // stays at hand after a click below the rows, a Ctrl+click or Ctrl+Space.
    void selectionStaysUntilAnotherRowIsChosen()
    {
        Postavy().JoinCharacter(std::make_unique<TPostava>("Bard"));
        for (const char* name : {"Skřet", "Vlk", "Zlobr"})
            Nestvury().JoinMonster(std::make_unique<TNestvura>(name));
        Flush();
        ClickAt(Postavy(), RowCentre(Postavy(), 0));
        ClickAt(Nestvury(), RowCentre(Nestvury(), 1));
        QVERIFY(Action("Item_ZranitNestvuru").isEnabled());

        TAdvancedListBox& monsters = *Nestvury().ListBox();
        const QPoint below(RowCentre(Nestvury(), 2).x(), monsters.viewport()->height() - 3);
        QVERIFY(!monsters.indexAt(below).isValid());
        ClickAt(Nestvury(), below);
        QCOMPARE(monsters.ItemIndex(), 1);
        ClickAt(Nestvury(), RowCentre(Nestvury(), 1), Qt::ControlModifier);
        QCOMPARE(monsters.ItemIndex(), 1);
        QTest::keyClick(&monsters, Qt::Key_Space, Qt::ControlModifier);
        Flush();
        QCOMPARE(monsters.ItemIndex(), 1);
        ClickAt(Postavy(), QPoint(RowCentre(Postavy(), 0).x(), 150));
        QCOMPARE(Postavy().ListBox()->ItemIndex(), 0);
        QVERIFY(Action("Item_ZranitNestvuru").isEnabled());

        // Ctrl and Shift never make two rows selected.
        ClickAt(Nestvury(), RowCentre(Nestvury(), 2), Qt::ControlModifier);
        QCOMPARE(monsters.ItemIndex(), 2);
        QCOMPARE(SelectedCount(Nestvury()), 1);
        ClickAt(Nestvury(), RowCentre(Nestvury(), 0), Qt::ShiftModifier);
        QCOMPARE(SelectedCount(Nestvury()), 1);
        QTest::keyClick(&monsters, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(SelectedCount(Nestvury()), 1);
        QTest::keyClick(&monsters, Qt::Key_Down);
        Flush();
        QCOMPARE(SelectedCount(Nestvury()), 1);
        QVERIFY(Action("Item_ZranitNestvuru").isEnabled());
    }

    // A disabled command shows its hint as well, reached by the arrow keys or
    // pointed at with the mouse.
    void disabledMenuItemsShowTheirHints()
    {
        auto& menu = *m_form->findChild<QMenu*>(QStringLiteral("Menu_Postava"));
        QAction& remove = Action("Item_SmazatPostavu");
        QAction& submenu =
            *m_form->findChild<QMenu*>(QStringLiteral("Menu_Postava_CelaZkusenost"))->menuAction();
        QVERIFY(!remove.isEnabled());
        QTest::keyClick(m_form.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(menu.activeAction(), &Action("Item_NovaPostava"));
        QTest::keyClick(&menu, Qt::Key_Down);
        QCOMPARE(menu.activeAction(), &remove);
        QCOMPARE(m_form->statusBar()->currentMessage(),
                 QStringLiteral("Vymazat aktivní postavu ze seznamu"));
        QTest::keyClick(&menu, Qt::Key_Down);
        QCOMPARE(menu.activeAction(), &submenu);

        // The mouse: a disabled item of a submenu.
        QTest::keyClick(&menu, Qt::Key_Right);
        auto& handOver = *m_form->findChild<QMenu*>(QStringLiteral("Menu_Postava_CelaZkusenost"));
        QTRY_VERIFY(handOver.isVisible());
        QAction& active = Action("Item_CelaZkusenost_Aktivni");
        QVERIFY(!active.isEnabled());
        QTest::mouseMove(&handOver,
                         handOver.actionGeometry(&Action("Item_CelaZkusenost_Vsechny")).center());
        QTest::mouseMove(&handOver, handOver.actionGeometry(&active).center());
        QTRY_COMPARE(m_form->statusBar()->currentMessage(),
                     QStringLiteral("Převést všechnu nepřidělenou zkušenost aktivní postavy na "
                                    "přidělenou"));
        // A disabled item still does nothing when chosen.
        QTest::keyClick(&handOver, Qt::Key_Return);
        QVERIFY(!active.isEnabled());
        for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i)
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!menu.isVisible());
    }
};

int main(int argc, char** argv)
{
    mecovnik::test::TGuiTestEnvironment environment;
    TApplication app(argc, argv);
    TableUseTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "TableUseTest.moc"

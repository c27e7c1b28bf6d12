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
#include "platform/THelpViewer.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

using namespace mecovnik;
using test::Flush;

class TableUseTest : public QObject
{
    Q_OBJECT

private:
    TNastaveni m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<TMainForm> m_form;
    test::TDialogAnswerer m_dialogs;

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
        QCOMPARE(menu.activeAction(), &Action("Item_UpravitPostavu"));
        QCOMPARE(m_form->statusBar()->currentMessage(),
                 QStringLiteral("Změnit jméno, životy a vyřazení aktivní postavy"));
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

    // "Na sebe": both rosters large, the back one's title bar in view; a
    // roster pushed out of a small document area is reached by scroll bars.
    void cascadeAndScrollBars()
    {
        Action("Item_Okno_Cascade").trigger();
        Flush();
        QMdiArea& area = *m_form->MdiArea();
        const QSize viewport = area.viewport()->size();
        const auto stack = area.subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(stack.size(), 2);
        QMdiSubWindow* back = stack.front();
        QMdiSubWindow* front = stack.back();
        QCOMPARE(front, area.activeSubWindow());
        for (QMdiSubWindow* w : stack) {
            QVERIFY2(2 * w->width() >= viewport.width(), qPrintable(w->windowTitle()));
            QVERIFY2(2 * w->height() >= viewport.height(), qPrintable(w->windowTitle()));
            QVERIFY(QRect(QPoint(0, 0), viewport).contains(w->geometry()));
        }
        const int titleHeight = back->widget()->geometry().top();
        QVERIFY(titleHeight > 0);
        const QPoint backTitle = back->geometry().topLeft() + QPoint(4, titleHeight / 2);
        QVERIFY(!front->geometry().contains(backTitle));
        QCOMPARE(area.childAt(area.viewport()->mapTo(&area, backTitle)), back);

        QVERIFY(!area.horizontalScrollBar()->isVisible());
        front->move(viewport.width() - 40, viewport.height() - 40);
        QTRY_VERIFY(area.horizontalScrollBar()->isVisible());
        QTRY_VERIFY(area.verticalScrollBar()->isVisible());
    }

    // F1 where no help context applies asks for no help at all.
    void f1WithoutAHelpContextAsksNothing()
    {
        Postavy().ListBox()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        Flush();
        QVERIFY(m_help.Calls.isEmpty());
        QVERIFY(!m_form->HelpUsed());
    }

    // Help asked from an open dialog comes up in front and answers the mouse
    // while the dialog stays open.
    void helpIsUsableBesideAnOpenDialog()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(MECOVNIK_HELP_FILE), dir.filePath(u"mecovnik.HLP"_qs)));
        THelpViewer viewer;
        TMainFormServices services = test::TestServices(&viewer);
        services.ProgramFile = dir.filePath(u"mecovnik"_qs);
        m_form.reset();
        m_form = test::StartMainForm(m_nastaveni, std::move(services));
        Postavy().JoinCharacter(std::make_unique<TPostava>("Bard"));
        Flush();

        bool dialogStayed = false;
        m_dialogs.Next([&](QDialog& d) {
            const auto cancel = qScopeGuard([&d] { d.reject(); });
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QWidget* help = viewer.Window();
            if (help && QTest::qWaitForWindowActive(help)) {
                QCOMPARE(viewer.CurrentTopic(), 10);
                auto* contents = help->findChild<QAction*>(u"helpContentsAction"_qs);
                QWidget* button = help->findChild<QToolBar*>()->widgetForAction(contents);
                // Through the window system, as a real click comes, which
                // drops clicks on windows that a modal dialog blocks.
                QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                                  button->mapTo(help, button->rect().center()));
                dialogStayed = d.isVisible();
            }
        });
        Action("Item_PridatZivoty_Vsechny").trigger();
        QVERIFY(m_dialogs.Answered());
        QVERIFY(viewer.Window());
        QVERIFY(dialogStayed);
        QCOMPARE(viewer.CurrentTopic(), 0);
        m_form.reset();
        QVERIFY(!viewer.Window());
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

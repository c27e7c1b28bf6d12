// The main window as a game master uses it at the table, under the program's
// own application object: selecting in the rosters, menu hints, help beside
// an open dialog, arranging the windows.
#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TMessageBoxRecorder.h"

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

#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <cmath>
#include <functional>
#include <map>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TMessageBoxRecorder;

namespace {

// Relative luminance as the accessibility guidelines define it: each sRGB
// channel linearised, weighted 0.2126 red, 0.7152 green, 0.0722 blue.
double Luminance(QRgb c)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A painted row as a reader sees it: its background is the colour most of
// its pixels have, its text the pixel that stands out most from it.
struct TPaintedRow
{
    QRgb Background = 0;
    QRgb Text = 0;
    [[nodiscard]] double Ratio() const { return Contrast(Text, Background); }
};

TPaintedRow Measure(const QImage& image, const QRect& area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    TPaintedRow row;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most)
            std::tie(row.Background, most) = std::pair(colour, count);
    row.Text = row.Background;
    for (const auto& [colour, count] : counts)
        if (Contrast(colour, row.Background) > row.Ratio())
            row.Text = colour;
    return row;
}

} // namespace

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

    // A double click edits the row, Delete deletes it once the user agrees,
    // a right click chooses the row and offers the roster's own menu.
    void rowsAnswerTheHand()
    {
        TMessageBoxRecorder boxes;
        for (const char* name : {"Aragorn", "Boromir"})
            Postavy().JoinCharacter(std::make_unique<TPostava>(name));
        for (const char* name : {"Skřet", "Vlk"})
            Nestvury().JoinMonster(std::make_unique<TNestvura>(name));
        Flush();
        const auto names = [](TObjektWindow& roster) {
            QStringList all;
            for (int row = 0; row < roster.Rows().rowCount(); ++row)
                all << roster.Rows().index(row).data().toString();
            return all;
        };
        const auto editBy = [&](TObjektWindow& roster, int row, const QString& caption,
                                const std::function<void(QDialog&)>& fill) {
            QString title;
            m_dialogs.Next([&](QDialog& d) {
                title = d.windowTitle();
                fill(d);
            });
            const QWidget* viewport = roster.ListBox()->viewport();
            QTest::mouseDClick(m_form->windowHandle(), Qt::LeftButton, {},
                               viewport->mapTo(m_form.get(), RowCentre(roster, row)));
            QVERIFY(m_dialogs.Answered());
            Flush();
            QCOMPARE(title, caption);
        };
        const auto rename = [](const QString& name) {
            return [name](QDialog& d) {
                auto& edit = Child<QLineEdit>(d, "Edit_Jmeno");
                QCOMPARE(edit.text(), QStringLiteral("Boromir"));
                edit.selectAll();
                QTest::keyClicks(&edit, name);
                QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
            };
        };

        // Another character's name is refused; a free one is taken, as one step.
        editBy(Postavy(), 1, QStringLiteral("Upravit postavu"), rename(QStringLiteral("Aragorn")));
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Postava se jménem Aragorn už existuje."));
        QCOMPARE(names(Postavy()), (QStringList{u"Aragorn"_qs, u"Boromir"_qs}));
        editBy(Postavy(), 1, QStringLiteral("Upravit postavu"), rename(QStringLiteral("Faramir")));
        QCOMPARE(names(Postavy()), (QStringList{u"Aragorn"_qs, u"Faramir"_qs}));
        QCOMPARE(Postavy().ListBox()->ItemIndex(), 1);
        Action("Item_Zpet").trigger();
        QCOMPARE(names(Postavy()), (QStringList{u"Aragorn"_qs, u"Boromir"_qs}));
        editBy(Nestvury(), 0, QStringLiteral("Upravit nestvůru"), [](QDialog& d) { d.reject(); });
        QCOMPARE(names(Nestvury()), (QStringList{u"Skřet"_qs, u"Vlk"_qs}));

        // Delete asks first; No keeps the row.
        ClickAt(Postavy(), RowCentre(Postavy(), 0));
        boxes.Clear();
        QTest::keyClick(Postavy().ListBox(), Qt::Key_Delete);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Opravdu chcete smazat postavu Aragorn?"));
        QCOMPARE(Postavy().Rows().rowCount(), 2);
        boxes.Answer(QMessageBox::Yes);
        QTest::keyClick(Postavy().ListBox(), Qt::Key_Delete);
        Flush();
        QCOMPARE(names(Postavy()), QStringList{u"Boromir"_qs});

        // A right click, through the window system as a real one comes.
        const auto menuText = [](const QList<QAction*>& actions) {
            QStringList items;
            for (const QAction* a : actions)
                items << (a->isSeparator() ? u"-"_qs : a->objectName() + a->text());
            return items;
        };
        for (TObjektWindow* roster :
             {static_cast<TObjektWindow*>(&Nestvury()), static_cast<TObjektWindow*>(&Postavy())}) {
            const bool monsters = roster == &Nestvury();
            const QMenu& own = *m_form->findChild<QMenu*>(
                monsters ? QStringLiteral("Menu_Nestvura") : QStringLiteral("Menu_Postava"));
            const int row = roster->Rows().rowCount() - 1;
            QStringList offered;
            int chosen = -1;
            bool editable = false;
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(QApplication::activePopupWidget());
                const QWidget* popup = QApplication::activePopupWidget();
                offered = menuText(popup->actions());
                chosen = roster->ListBox()->ItemIndex();
                editable =
                    Action(monsters ? "Item_UpravitNestvuru" : "Item_UpravitPostavu").isEnabled();
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            });
            QWidget* viewport = roster->ListBox()->viewport();
            QTest::mouseClick(m_form->windowHandle(), Qt::RightButton, {},
                              viewport->mapTo(m_form.get(), RowCentre(*roster, row)));
            QTRY_VERIFY(!QApplication::activePopupWidget());
            QCOMPARE(chosen, row);
            QVERIFY(editable);
            QCOMPARE(offered, menuText(own.actions()));
        }
    }

    // Ctrl+B, the wound, with no character or no monster chosen says why.
    void aCommandThatDoesNotApplySaysWhy()
    {
        Postavy().JoinCharacter(std::make_unique<TPostava>("Bard"));
        Nestvury().JoinMonster(std::make_unique<TNestvura>("Skřet"));
        Flush();
        QAction& wound = Action("Item_ZranitNestvuru");
        const auto pressCtrlB = [this] {
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
            QTest::keyClick(Postavy().ListBox(), Qt::Key_B, Qt::ControlModifier);
            Flush();
        };
        for (const bool chooseCharacter : {false, true}) {
            if (chooseCharacter)
                ClickAt(Postavy(), RowCentre(Postavy(), 0));
            m_form->statusBar()->clearMessage();
            QVERIFY(!wound.isEnabled());
            pressCtrlB();
            QCOMPARE(m_form->statusBar()->currentMessage(), u"Vyberte postavu i nestvůru."_qs);
        }
        // Once it applies, the key runs it: the wound dialog comes.
        ClickAt(Nestvury(), RowCentre(Nestvury(), 0));
        QVERIFY(wound.isEnabled());
        m_form->statusBar()->clearMessage();
        m_dialogs.Next([](QDialog& d) { d.reject(); });
        pressCtrlB();
        QVERIFY(m_dialogs.Answered());
        QVERIFY(m_form->statusBar()->currentMessage().isEmpty());
    }

    // Every state, chosen or not, in a list with or without the focus: the
    // painted text stands out from its background at least 4.5 : 1, and a
    // chosen row still shows its state.
    void everyRowIsReadable()
    {
        const struct
        {
            const char* Name;
            int Lives;
        } rows[] = {{"A mrtvý", 0}, {"B vyřazený", 2}, {"C stojící", 8}};
        for (const auto& row : rows) {
            auto c = std::make_unique<TPostava>(row.Name);
            c->Lives = row.Lives;
            c->KnockOut = 2;
            Postavy().JoinCharacter(std::move(c));
        }
        Nestvury().JoinMonster(std::make_unique<TNestvura>("Skřet"));
        Flush();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        TAdvancedListBox& list = *Postavy().ListBox();
        const int nameWidth = Postavy().HeaderControl()->sectionSize(0);
        int measured = 0;
        QRgb chosenBackgrounds[3] = {};
        for (int chosen = 0; chosen < 3; ++chosen) {
            ClickAt(Postavy(), RowCentre(Postavy(), chosen));
            for (const bool focused : {true, false}) {
                (focused ? list : *Nestvury().ListBox()).setFocus();
                Flush();
                QCOMPARE(list.hasFocus(), focused);
                const QImage image = list.viewport()->grab().toImage();
                for (int r = 0; r < 3; ++r) {
                    // The name's room, clear of the row's and the focus's edges.
                    const QRect rect = list.visualRect(list.model()->index(r, 0));
                    const QRect area(3, rect.top() + 2, nameWidth - 13, rect.height() - 4);
                    const TPaintedRow painted = Measure(image, area);
                    QVERIFY2(painted.Ratio() >= 4.5,
                             qPrintable(QStringLiteral("row %1, chosen %2, focus %3: %4 on %5")
                                            .arg(r)
                                            .arg(chosen)
                                            .arg(focused)
                                            .arg(QColor(painted.Text).name(),
                                                 QColor(painted.Background).name())));
                    if (r == chosen && focused)
                        chosenBackgrounds[r] = painted.Background;
                    ++measured;
                }
            }
        }
        QCOMPARE(measured, 3 * 3 * 2);
        // The dead, the knocked out and the standing differ when chosen too.
        QVERIFY(chosenBackgrounds[0] != chosenBackgrounds[1]);
        QVERIFY(chosenBackgrounds[1] != chosenBackgrounds[2]);
        QVERIFY(chosenBackgrounds[0] != chosenBackgrounds[2]);
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

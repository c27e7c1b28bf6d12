#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TMessageBoxRecorder.h"

#include "components/MessageBoxes.h"
#include "components/ScreenCursor.h"
#include "roster/Frm_Postavy.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

using namespace mecovnik;

namespace {

// What a real message box showed, read while it is up, and the button pressed.
struct TSeenBox
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    bool HasParent = true;
    bool Modal = false;
};

// Presses a button of the next message box once it is up.
void PressWhenShown(QMessageBox::StandardButton button, TSeenBox& seen)
{
    QTimer::singleShot(0, [button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            PressWhenShown(button, seen);
            return;
        }
        seen = {box->windowTitle(),
                box->text(),
                box->icon(),
                box->standardButtons(),
                box->parentWidget() != nullptr,
                box->windowModality() == Qt::ApplicationModal};
        box->button(button)->click();
    });
}

// Runs check on the next message box once it is up, then presses button.
void OnNextBox(std::function<void(QMessageBox&)> check, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [check = std::move(check), button]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            OnNextBox(std::move(check), button);
            return;
        }
        check(*box);
        if (box->isVisible())
            box->button(button)->click();
    });
}

} // namespace

class MessageBoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void realBoxesCarryTheirKindAndTheApplicationTitle()
    {
        TSeenBox seen;
        PressWhenShown(QMessageBox::Yes, seen);
        QVERIFY(AskQuestion(QStringLiteral("Smazat?")));
        QCOMPARE(seen.Title, QStringLiteral("Mečovník"));
        QCOMPARE(seen.Text, QStringLiteral("Smazat?"));
        QCOMPARE(seen.Icon, QMessageBox::Question);
        QCOMPARE(seen.Buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(!seen.HasParent);
        QVERIFY(seen.Modal);

        PressWhenShown(QMessageBox::No, seen);
        QVERIFY(!AskQuestion(QStringLiteral("Smazat?"), QStringLiteral("Vlastní titulek")));
        QCOMPARE(seen.Title, QStringLiteral("Vlastní titulek"));

        PressWhenShown(QMessageBox::Ok, seen);
        ShowInfoMessage(QStringLiteral("Hráč postavy A si připíše 5 bodů zkušenosti."), {});
        QCOMPARE(seen.Title, QStringLiteral("Mečovník")); // an empty caption is no caption
        QCOMPARE(seen.Icon, QMessageBox::Information);
        QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        PressWhenShown(QMessageBox::Ok, seen);
        ShowErrorMessage(QStringLiteral("Chyba"));
        QCOMPARE(seen.Icon, QMessageBox::Critical);
        QCOMPARE(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // Escape and the close button leave a question up; only Yes and No end it.
    void aQuestionEndsOnlyThroughItsButtons()
    {
        for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
            bool stayedUp = false;
            OnNextBox(
                [&stayedUp](QMessageBox& box) {
                    QTest::keyClick(&box, Qt::Key_Escape);
                    QTest::qWait(20);
                    const bool closed = box.close();
                    stayedUp = !closed && box.isVisible();
                },
                answer);
            QCOMPARE(AskQuestion(QStringLiteral("Smazat?")), answer == QMessageBox::Yes);
            QVERIFY(stayedUp);
        }
        // A notice still closes with Escape.
        OnNextBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, QMessageBox::Ok);
        ShowInfoMessage(QStringLiteral("Info"));
    }

    // Every text appears exactly as given: no markup, no accelerators.
    void textsAreShownLiterally()
    {
        const QString odd = QStringLiteral("<b>Tučně</b> & %1 %2 &amp; <br>");
        QString shown;
        OnNextBox(
            [&shown](QMessageBox& box) {
                const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                if (label && label->textFormat() == Qt::PlainText)
                    shown = label->text();
            },
            QMessageBox::Ok);
        ShowErrorMessage(odd);
        QCOMPARE(shown, odd);

        // A name with "%1" and "%2" in the hand-over announcement.
        test::TMessageBoxRecorder boxes;
        TPostavyWindow roster(test::ProgramNameOrder());
        auto character = std::make_unique<TPostava>("Bard %2 <i>%1</i> & Co.");
        character->UnassignedExperience = 37;
        roster.JoinCharacter(std::move(character));
        roster.HandOverExperience(0, -1);
        QVERIFY(boxes.Last());
        QCOMPARE(
            boxes.Last()->Text,
            QStringLiteral("Hráč postavy Bard %2 <i>%1</i> & Co. si připíše 37 bodů zkušenosti."));
    }

    // While a box is up, the main form and what it owns take no clicks; a
    // window outside that family (the help window) still does.
    void aBoxBlocksTheProgramButNotHelp()
    {
        QMainWindow mainForm;
        auto* inMain = new QPushButton(QStringLiteral("Hlavní"), &mainForm);
        mainForm.setCentralWidget(inMain);
        QPushButton help(QStringLiteral("Nápověda"));
        mainForm.show();
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainForm));
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        SetMessageBoxOwner(&mainForm);
        int mainClicks = 0;
        int helpClicks = 0;
        connect(inMain, &QPushButton::clicked, [&mainClicks] { ++mainClicks; });
        connect(&help, &QPushButton::clicked, [&helpClicks] { ++helpClicks; });
        const auto click = [](QWidget& button) {
            QTest::mouseClick(button.window()->windowHandle(), Qt::LeftButton, {},
                              button.mapTo(button.window(), button.rect().center()));
        };
        OnNextBox(
            [&](QMessageBox& box) {
                QCOMPARE(box.parentWidget(), &mainForm);
                click(*inMain);
                click(help);
            },
            QMessageBox::No);
        QVERIFY(!AskQuestion(QStringLiteral("Smazat?")));
        SetMessageBoxOwner(nullptr);
        QCOMPARE(mainClicks, 0);
        QCOMPARE(helpClicks, 1);
        click(*inMain);
        QCOMPARE(mainClicks, 1);
    }

    void theActiveWindowIsActiveAgainAfterABox()
    {
        QMainWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TSeenBox seen;
        PressWhenShown(QMessageBox::Ok, seen);
        ShowErrorMessage(QStringLiteral("Chyba"));
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }

    void theTestHookRecordsAndAnswers()
    {
        test::TMessageBoxRecorder boxes;
        QVERIFY(!AskQuestion(QStringLiteral("Otázka")));
        boxes.Answer(QMessageBox::Yes);
        QVERIFY(AskQuestion(QStringLiteral("Otázka")));
        ShowInfoMessage(QStringLiteral("Info"), QStringLiteral("Titulek"));
        QCOMPARE(boxes.Shown().size(), 3);
        QCOMPARE(boxes.Shown()[0].Caption, QStringLiteral("Mečovník"));
        QCOMPARE(boxes.Shown()[2].Caption, QStringLiteral("Titulek"));
        QCOMPARE(boxes.Shown()[2].Icon, QMessageBox::Information);
        {
            // The newest hook answers; the older one comes back afterwards.
            test::TMessageBoxRecorder inner;
            ShowErrorMessage(QStringLiteral("Vnitřní"));
            QCOMPARE(inner.Shown().size(), 1);
        }
        ShowErrorMessage(QStringLiteral("Vnější"));
        QCOMPARE(boxes.Shown().size(), 4);
        QCOMPARE(boxes.Last()->Text, QStringLiteral("Vnější"));
    }

    void showChildWindowRestoresThenBringsToFront()
    {
        QMdiArea area;
        area.resize(600, 400);
        auto* a = area.addSubWindow(new QWidget);
        auto* b = area.addSubWindow(new QWidget);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        a->show();
        b->show();
        a->resize(200, 150);

        a->showMinimized();
        area.setActiveSubWindow(b);
        ShowChildWindow(a);
        QVERIFY(!a->isMinimized());
        QVERIFY(a->isVisible());
        QCOMPARE(a->size(), QSize(200, 150));
        QCOMPARE(area.activeSubWindow(), a);

        ShowChildWindow(b); // visible and normal: only brought to the front
        QCOMPARE(area.activeSubWindow(), b);
        QCOMPARE(area.subWindowList(QMdiArea::StackingOrder).back(), b);

        b->showMaximized();
        area.setActiveSubWindow(a);
        ShowChildWindow(b);
        QVERIFY(b->isMaximized());
        ShowChildWindow(nullptr);
    }

    void screenCursorRestoresThePreviousCursorOnce()
    {
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
        {
            ScreenCursor hourglass;
            QVERIFY(hourglass.IsActive());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            hourglass.Restore();
            QVERIFY(!hourglass.IsActive());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
            hourglass.Restore(); // a second call must not pop the cross cursor
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        }
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        try {
            ScreenCursor hourglass;
            throw std::runtime_error("dialog failed");
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QGuiApplication::restoreOverrideCursor();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

MECOVNIK_GUI_TEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"

#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TFakeHelpSystem.h"
#include "TFakeRegistryFile.h"

#include "app/Frm_Main.h"
#include "components/MessageBoxes.h"
#include "components/ProgramWindows.h"
#include "components/TAdvancedListBox.h"
#include "persistence/TRegistryStore.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarAdjustDialog.h"

#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace mecovnik;
using test::Flush;

namespace {

// What a modal window was like once it was up.
struct TSeen
{
    QString Title;
    Qt::WindowType Type = Qt::Widget;
    Qt::WindowFlags Flags;
    QWindow* Above = nullptr; // the window it is transient for
    bool Active = false;
};

// Looks at the next modal window once it is up and active (or after a
// second), then closes it as a user would: No or OK in a message box, Cancel
// (reject) in a dialog.
class TModalLooker
{
public:
    void Arm()
    {
        m_seen.reset();
        Poll(100);
    }
    [[nodiscard]] const std::optional<TSeen>& Seen() const { return m_seen; }

private:
    void Poll(int attempts)
    {
        QTimer::singleShot(10, [this, attempts] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || (!modal->isActiveWindow() && attempts > 0)) {
                if (attempts > 0)
                    Poll(attempts - 1);
                return;
            }
            m_seen =
                TSeen{modal->windowTitle(), modal->windowType(), modal->windowFlags(),
                      modal->windowHandle() ? modal->windowHandle()->transientParent() : nullptr,
                      modal->isActiveWindow()};
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QAbstractButton* button = box->button(QMessageBox::No);
                if (!button)
                    button = box->button(QMessageBox::Ok);
                if (button)
                    button->click();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        });
    }

    std::optional<TSeen> m_seen;
};

// Runs a command of the main window as its menu item does.
void Trigger(TMainForm& form, const char* action)
{
    auto* item = form.findChild<QAction*>(QString::fromLatin1(action));
    if (!item)
        qFatal("no command %s", action);
    item->trigger();
}

} // namespace

// Every modal window the program opens stands above the window the user works
// in and takes the keyboard, the customisation window included; no dialog
// offers minimise or maximise.
class WindowStackingTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    test::TFakeRegistryFile m_file;
    TRegistryStore m_store{m_file};
    TNastaveni m_nastaveni{m_store};
    std::unique_ptr<TMainForm> m_form;
    TModalLooker m_looker;

    // Runs open, which shows one modal window, and returns what it was like.
    TSeen Look(const std::function<void()>& open)
    {
        m_looker.Arm();
        open();
        Flush();
        if (!m_looker.Seen())
            qFatal("no modal window came up");
        return *m_looker.Seen();
    }

    static void ExpectADialogAbove(const TSeen& seen, const QWidget& owner)
    {
        const QString why = seen.Title;
        QVERIFY2(seen.Type == Qt::Dialog, qPrintable(why));
        // The hints given in full, without minimise and maximise, so that no
        // platform adds buttons of its own.
        QVERIFY2(seen.Flags & Qt::CustomizeWindowHint, qPrintable(why));
        QVERIFY2(!(seen.Flags & Qt::WindowMinimizeButtonHint), qPrintable(why));
        QVERIFY2(!(seen.Flags & Qt::WindowMaximizeButtonHint), qPrintable(why));
        QVERIFY2(seen.Flags & Qt::WindowTitleHint, qPrintable(why));
        QVERIFY2(seen.Above && seen.Above == owner.windowHandle(), qPrintable(why));
        QVERIFY2(seen.Active, qPrintable(why));
    }

    void ActivateAndWait(QWidget& window)
    {
        window.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
    }

private slots:
    void init()
    {
        m_form = test::StartMainForm(m_nastaveni, test::TestServices(&m_help));
        auto character = std::make_unique<TPostava>("Aragorn");
        m_form->PostavyWindow()->AddRecord(std::move(character));
        m_form->PostavyWindow()->ListBox()->SetItemIndex(0);
        // A selected monster too, so that the wound may be asked for.
        m_form->NestvuryWindow()->AddRecord(std::make_unique<TNestvura>("Skřet"));
        m_form->NestvuryWindow()->ListBox()->SetItemIndex(0);
        Flush();
    }

    void cleanup()
    {
        m_form.reset();
        Flush();
    }

    void theCustomisationWindowStandsAboveTheMainWindowOnly()
    {
        m_form->MainToolbar()->OnAdjust();
        Flush();
        TToolbarAdjustDialog* adjust = TToolbarAdjustDialog::OpenDialog();
        QVERIFY(adjust);
        QVERIFY(adjust->isVisible());
        QVERIFY(!(adjust->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!adjust->isModal());
        QVERIFY(adjust->windowHandle());
        QCOMPARE(adjust->windowHandle()->transientParent(), m_form->windowHandle());
        QVERIFY(IsProgramWindow(adjust));
        QVERIFY(!(adjust->windowFlags() & Qt::WindowMinMaxButtonsHint));
    }

    void modalWindowsOpenAboveTheWindowTheUserWorksIn()
    {
        m_form->MainToolbar()->OnAdjust();
        Flush();
        TToolbarAdjustDialog* adjust = TToolbarAdjustDialog::OpenDialog();
        QVERIFY(adjust);

        // From the customisation window: its revert question.
        ActivateAndWait(*adjust);
        auto* revert = adjust->findChild<QPushButton*>(QStringLiteral("Btn_Revert"));
        QVERIFY(revert);
        const TSeen question = Look([revert] { QTest::mouseClick(revert, Qt::LeftButton); });
        QCOMPARE(question.Title, QStringLiteral("Mečovník"));
        ExpectADialogAbove(question, *adjust);
        QVERIFY(TToolbarAdjustDialog::OpenDialog());

        // From the main window, with the customisation window still open:
        // every dialog, number dialog, question, the page setup, the print
        // dialogs and an export's file dialog.
        TMainForm& form = *m_form;
        const std::pair<const char*, std::function<void()>> fromMain[] = {
            {"about box", [&form] { Trigger(form, "Item_About"); }},
            {"settings", [&form] { Trigger(form, "Item_NastaveniProstredi"); }},
            {"new character", [&form] { Trigger(form, "Item_NovaPostava"); }},
            {"new monster", [&form] { Trigger(form, "Item_NovaNestvura"); }},
            {"number", [&form] { Trigger(form, "Item_PridatZivoty_Vsechny"); }},
            {"wound", [&form] { Trigger(form, "Item_ZranitNestvuru"); }},
            {"question", [&form] { Trigger(form, "Item_SmazatPostavu"); }},
            {"page setup", [&form] { Trigger(form, "Item_PrintSetup"); }},
            {"print", [&form] { Trigger(form, "Item_Tisk"); }},
            {"print preview", [&form] { Trigger(form, "Item_NahledTisku"); }},
            {"export", [&form] { Trigger(form, "Item_ExportovatPdf"); }},
        };
        for (const auto& [name, open] : fromMain) {
            ActivateAndWait(form);
            const TSeen seen = Look(open);
            QVERIFY2(!seen.Title.isEmpty(), name);
            ExpectADialogAbove(seen, form);
        }
        QCOMPARE(form.PostavyWindow()->Rows().rowCount(), 1);
    }

    void aDialogOpenedFromADialogStandsAboveIt()
    {
        // A question asked while a dialog is up stands above that dialog.
        bool looked = false;
        QTimer::singleShot(100, [&] {
            auto* outer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(outer);
            QTRY_VERIFY(outer->isActiveWindow());
            ExpectADialogAbove(Look([] { AskQuestion(QStringLiteral("Opravdu?")); }), *outer);
            looked = true;
            outer->reject();
        });
        Trigger(*m_form, "Item_NovaPostava");
        QVERIFY(looked);
    }
};

MECOVNIK_GUI_TEST_MAIN(WindowStackingTest)
#include "WindowStackingTest.moc"

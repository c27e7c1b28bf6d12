#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeRegistryFile.h"

#include "app/Frm_Main.h"
#include "app/Frm_Prostredi.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

using namespace mecovnik;
using mecovnik::test::Flush;
using mecovnik::test::TDialogAnswerer;

// "Nastavení programu" opened from its menu item and driven with clicks and keys.
class ProstrediDialogTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    TDialogAnswerer m_dialogs;
    test::TFakeRegistryFile m_file;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    std::unique_ptr<TMainForm> m_form;

    TMainForm& Start()
    {
        m_form.reset();
        m_nastaveni.reset();
        m_store = std::make_unique<TRegistryStore>(m_file);
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        m_form = test::StartMainForm(*m_nastaveni, test::TestServices(&m_help));
        return *m_form;
    }

    TToolbar& Toolbar() const { return *m_form->MainToolbar(); }
    QWidget& Bevel() const
    {
        return *m_form->findChild<QWidget*>(QStringLiteral("MainToolbarBevel"));
    }
    QAction& Action(const char* name) const
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    template <class T> static T& Child(QDialog& d, const char* name)
    {
        T* child = d.findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s in the dialog", name);
        return *child;
    }
    static void Click(QDialog& d, const char* name)
    {
        QWidget& w = Child<QWidget>(d, name);
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(8, w.height() / 2));
    }
    static bool ApplyEnabled(QDialog& d) { return Child<QPushButton>(d, "BtnApply").isEnabled(); }

    // Opens the dialog from its menu item and lets answer drive it; answer must
    // close it (a failed check inside answer leaves it open, and it is closed
    // here so that the run goes on).
    void Open(const std::function<void(QDialog&)>& answer)
    {
        m_dialogs.Next([&answer](QDialog& d) {
            answer(d);
            if (d.isVisible())
                d.reject();
        });
        Action("Item_NastaveniProstredi").trigger();
        QVERIFY(m_dialogs.Answered());
        Flush();
    }

private slots:
    void init()
    {
        m_file.Reset();
        Start();
    }

    void cleanup() { m_form.reset(); }

    void theFormHasItsControlsTextsAndPlaces()
    {
        Open([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Nastavení programu"));
            QCOMPARE(d.size(), QSize(427, 298));
            QVERIFY(d.isModal());
            QVERIFY(d.windowFlags() & Qt::WindowContextHelpButtonHint);
            auto& pages = Child<QTabWidget>(d, "PageControl");
            QCOMPARE(pages.count(), 1);
            QCOMPARE(pages.currentWidget()->objectName(), QStringLiteral("Page_MainWindow"));
            QCOMPARE(pages.tabText(0), QStringLiteral("Hlavní okno"));
            QCOMPARE(pages.focusPolicy(), Qt::NoFocus);
            QCOMPARE(pages.geometry(), QRect(5, 5, 417, 256));
            auto& group = Child<QGroupBox>(d, "GroupBox_Toolbar");
            QCOMPARE(group.title(), QStringLiteral("Panel nástrojů"));
            QCOMPARE(group.geometry(), QRect(7, 5, 395, 44));
            QCOMPARE(group.property("helpContext").toInt(), 10);
            const struct
            {
                const char* Name;
                QString Text;
                QRect Geometry;
                int HelpContext;
            } controls[] = {
                {"cb_ToolbarVisible", QStringLiteral("Viditelný"), {8, 16, 117, 17}, 18},
                {"cb_ToolbarShowHints",
                 QStringLiteral("Zobrazovat popisky"),
                 {197, 16, 117, 17},
                 15},
                {"OKBtn", QStringLiteral("OK"), {187, 2, 75, 23}, 1},
                {"CancelBtn", QStringLiteral("Storno"), {267, 2, 75, 23}, 3},
                {"BtnApply", QStringLiteral("Použít"), {347, 2, 75, 23}, 2},
            };
            for (const auto& c : controls) {
                auto& button = Child<QAbstractButton>(d, c.Name);
                QCOMPARE(button.text(), c.Text);
                QCOMPARE(button.pos(), c.Geometry.topLeft());
                QCOMPARE(button.height(), c.Geometry.height());
                // A check box whose caption is wider than its place gets room.
                if (qobject_cast<QCheckBox*>(&button))
                    QCOMPARE(button.width(),
                             std::max(c.Geometry.width(), button.sizeHint().width()));
                else
                    QCOMPARE(button.width(), c.Geometry.width());
                QCOMPARE(button.property("helpContext").toInt(), c.HelpContext);
            }
            QCOMPARE(Child<QWidget>(d, "Panel2").geometry(), QRect(0, 266, 427, 32));
            QVERIFY(Child<QPushButton>(d, "OKBtn").isDefault());
            // Loaded from the toolbar: shown, with tooltips; nothing to apply yet.
            QVERIFY(Child<QCheckBox>(d, "cb_ToolbarVisible").isChecked());
            QVERIFY(Child<QCheckBox>(d, "cb_ToolbarShowHints").isChecked());
            QVERIFY(!ApplyEnabled(d));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QVERIFY(!Toolbar().isHidden());
    }

    void afterHidingTheToolbarThisDialogBringsItBack()
    {
        Action("ToolbarPopup_Hide").trigger();
        QVERIFY(Toolbar().isHidden());
        QVERIFY(Bevel().isHidden());
        Open([](QDialog& d) {
            QVERIFY(!Child<QCheckBox>(d, "cb_ToolbarVisible").isChecked());
            QVERIFY(!ApplyEnabled(d));
            Click(d, "cb_ToolbarVisible");
            QVERIFY(Child<QCheckBox>(d, "cb_ToolbarVisible").isChecked());
            QVERIFY(ApplyEnabled(d));
            Click(d, "OKBtn");
        });
        QVERIFY(!Toolbar().isHidden());
        QVERIFY(!Bevel().isHidden());
        QVERIFY(Toolbar().isVisible());
    }

    void aDoubleClickLeavesApplyEnabledAndApplyingTheSameStateDisablesIt()
    {
        Open([](QDialog& d) {
            Click(d, "cb_ToolbarShowHints");
            Click(d, "cb_ToolbarShowHints");
            QVERIFY(Child<QCheckBox>(d, "cb_ToolbarShowHints").isChecked());
            QVERIFY(ApplyEnabled(d));
            Click(d, "BtnApply");
            QVERIFY(!ApplyEnabled(d));
            QVERIFY(d.isVisible());
            // Space on a focused check box is a click too.
            Child<QCheckBox>(d, "cb_ToolbarVisible").setFocus();
            QTest::keyClick(&Child<QCheckBox>(d, "cb_ToolbarVisible"), Qt::Key_Space);
            QVERIFY(ApplyEnabled(d));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QVERIFY(Toolbar().ShowHint());
        QVERIFY(!Toolbar().isHidden());
    }

    void applyThenStornoKeepsWhatWasApplied()
    {
        Open([](QDialog& d) {
            Click(d, "cb_ToolbarShowHints");
            Click(d, "BtnApply");
            // A change after the apply is dropped with Storno.
            Click(d, "cb_ToolbarVisible");
            QVERIFY(ApplyEnabled(d));
            Click(d, "CancelBtn");
        });
        QVERIFY(!Toolbar().ShowHint());
        QVERIFY(!Toolbar().isHidden());
        // Tooltips are off on the buttons themselves.
        for (QWidget* control : Toolbar().PlacedControls())
            QVERIFY(control->toolTip().isEmpty());
        // The next opening shows what is in force.
        Open([](QDialog& d) {
            QVERIFY(!Child<QCheckBox>(d, "cb_ToolbarShowHints").isChecked());
            QVERIFY(Child<QCheckBox>(d, "cb_ToolbarVisible").isChecked());
            QVERIFY(!ApplyEnabled(d));
            Click(d, "cb_ToolbarShowHints");
            QTest::keyClick(&d, Qt::Key_Return); // OK is the default button
        });
        QVERIFY(Toolbar().ShowHint());
        for (QWidget* control : Toolbar().PlacedControls())
            QVERIFY(!control->toolTip().isEmpty());
    }

    void okWithoutAChangeChangesNothingVisible()
    {
        Action("ToolbarPopup_ShowHints").trigger();
        QVERIFY(!Toolbar().ShowHint());
        const QRect toolbarAt = Toolbar().geometry();
        const auto placed = Toolbar().PlacedItems();
        Open([](QDialog& d) { Click(d, "OKBtn"); });
        QVERIFY(!Toolbar().ShowHint());
        QVERIFY(!Toolbar().isHidden());
        QCOMPARE(Toolbar().geometry(), toolbarAt);
        QVERIFY(Toolbar().PlacedItems() == placed);
    }

    void theDialogWritesNothingAndWithoutSavingTheChoiceIsLost()
    {
        const int writes = m_file.Writes;
        Open([](QDialog& d) {
            Click(d, "cb_ToolbarVisible");
            Click(d, "BtnApply");
            Click(d, "cb_ToolbarShowHints");
            Click(d, "OKBtn");
        });
        QVERIFY(Toolbar().isHidden());
        QVERIFY(!Toolbar().ShowHint());
        QCOMPARE(m_file.Writes, writes);
        Action("Item_AutomatickyUkladatNastaveni").trigger();
        QVERIFY(!m_nastaveni->AutoSave);
        Action("Item_Quit").trigger();
        QCOMPARE(m_file.Writes, writes);
        Start();
        QVERIFY(!Toolbar().isHidden());
        QVERIFY(Toolbar().ShowHint());
        // Saved, the choice comes back with the next start.
        Open([](QDialog& d) {
            Click(d, "cb_ToolbarVisible");
            Click(d, "OKBtn");
        });
        Action("Item_UlozitNastaveni").trigger();
        QVERIFY(m_file.Writes > writes);
        Start();
        QVERIFY(Toolbar().isHidden());
        QVERIFY(Bevel().isHidden());
    }
};

MECOVNIK_GUI_TEST_MAIN(ProstrediDialogTest)
#include "ProstrediDialogTest.moc"

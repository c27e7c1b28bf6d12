#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TFakeHelpSystem.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "persistence/TRegistry.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarSpeedButton.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace mecovnik;
using test::Flush;
using test::TMessageBoxRecorder;

namespace {

std::string DataFile(const char* name)
{
    QFile file(QStringLiteral(MECOVNIK_TEST_DATA_DIR "/toolbar/%1.reg").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return file.readAll().toStdString();
}

QList<QRect> Geometries(const TToolbar& t)
{
    QList<QRect> rects;
    for (QWidget* w : t.PlacedControls())
        rects.append(w->geometry());
    return rects;
}

} // namespace

class MainToolbarTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    std::unique_ptr<test::TFakeRegistryFile> m_file;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    std::unique_ptr<TMainForm> m_form;

    TMainForm& Start(std::optional<std::string> stored = std::nullopt)
    {
        m_form.reset();
        m_nastaveni.reset();
        m_store.reset();
        m_file = stored ? std::make_unique<test::TFakeRegistryFile>(*stored)
                        : std::make_unique<test::TFakeRegistryFile>();
        m_store = std::make_unique<TRegistryStore>(*m_file);
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        m_help.Calls.clear();
        m_form = test::StartMainForm(*m_nastaveni, test::TestServices(&m_help));
        return *m_form;
    }

    TToolbar& Toolbar() const { return *m_form->MainToolbar(); }
    QWidget* Bevel() const
    {
        return m_form->findChild<QWidget*>(QStringLiteral("MainToolbarBevel"));
    }
    QAction* Action(const char* name) const
    {
        return m_form->findChild<QAction*>(QString::fromLatin1(name));
    }
    TToolbarSpeedButton* Button(int index) const
    {
        return qobject_cast<TToolbarSpeedButton*>(Toolbar().PlacedControls().value(index));
    }

private slots:
    void cleanup() { m_form.reset(); }

    void theToolbarSitsUnderTheMenu()
    {
        TMainForm& form = Start();
        TToolbar& t = Toolbar();
        QCOMPARE(t.objectName(), QStringLiteral("MainToolbar"));
        QVERIFY(t.isVisible());
        QCOMPARE(t.HelpContext(), 11);
        QCOMPARE(t.height(), 33);
        QCOMPARE(t.PopupMenu(), form.ToolbarPopup());
        auto* layout = qobject_cast<QVBoxLayout*>(t.parentWidget()->layout());
        QVERIFY(layout);
        QWidget* menuBevel = form.findChild<QWidget*>(QStringLiteral("MenuBevel"));
        QCOMPARE(layout->indexOf(&t), layout->indexOf(menuBevel) + 1);
        QCOMPARE(layout->indexOf(Bevel()), layout->indexOf(&t) + 1);
        QCOMPARE(t.width(), menuBevel->width());
        QCOMPARE(Geometries(t), (QList<QRect>{QRect(4, 4, 25, 25), QRect(29, 4, 25, 25)}));

        // The bevels: the menu's a single top line, the toolbar's a box.
        const QImage line = menuBevel->grab().toImage();
        const QRgb dark = menuBevel->palette().color(QPalette::Dark).rgb();
        const QRgb light = menuBevel->palette().color(QPalette::Light).rgb();
        QCOMPARE(line.height(), 2);
        QCOMPARE(line.pixel(0, 0), dark);
        QCOMPARE(line.pixel(line.width() - 1, 0), dark);
        QCOMPARE(line.pixel(10, 1), light);
        QCOMPARE(line.pixel(0, 1), light);
        const QImage box = Bevel()->grab().toImage();
        QCOMPARE(box.pixel(0, 0), dark);
        QCOMPARE(box.pixel(10, 0), dark);
        QCOMPARE(box.pixel(box.width() - 1, 0), light);
        QCOMPARE(box.pixel(10, 1), light);
    }

    void buttonsRunTheirCommands()
    {
        TMainForm& form = Start();
        TToolbar& t = Toolbar();
        t.Clear();
        const std::vector<TToolbarLayoutItem> records{{7, -1, -1, -1, -1}, {4, -1, -1, -1, -1}};
        t.SetLayout(records);
        QTest::mouseClick(Button(0), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(m_help.Calls.size(), 1);
        QCOMPARE(m_help.Calls.last().Command, int(HELP_FINDER));
        // A double click repeats nothing beyond the clicks themselves.
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10),
                        Button(0)->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::LeftButton,
                        {});
        QApplication::sendEvent(Button(0), &dbl);
        QCOMPARE(m_help.Calls.size(), 1);
        // Button 4 puts the windows one above the other.
        QTest::mouseClick(Button(1), Qt::LeftButton, {}, QPoint(10, 10));
        Flush();
        const auto windows = form.MdiArea()->subWindowList();
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.at(0)->geometry().left(), windows.at(1)->geometry().left());
        QVERIFY(windows.at(0)->geometry().top() != windows.at(1)->geometry().top());
    }

    void hintsInTooltipsAndTheStatusBar()
    {
        TMainForm& form = Start();
        QCOMPARE(Button(0)->toolTip(), QStringLiteral("Nastavení tiskárny"));
        // The status bar shows the long hint, which the program's hints leave
        // empty: the credit line goes.
        form.ShowStatusMessage(QStringLiteral("zpráva"), 10);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(Button(0), &enter);
        QVERIFY(form.statusBar()->currentMessage().isEmpty());
        QVERIFY(!form.HintTimer().isActive());
    }

    void thePopupMenu()
    {
        TMainForm& form = Start();
        TToolbar& t = Toolbar();
        QMenu* popup = form.ToolbarPopup();
        // A right click on the toolbar, or on a button, opens it.
        QContextMenuEvent onBar(QContextMenuEvent::Mouse, QPoint(300, 10),
                                t.mapToGlobal(QPoint(300, 10)));
        QApplication::sendEvent(&t, &onBar);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(Action("ToolbarPopup_ShowHints")->isChecked());
        popup->close();
        QContextMenuEvent onButton(QContextMenuEvent::Mouse, QPoint(5, 5),
                                   Button(1)->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(Button(1), &onButton);
        QTRY_VERIFY(popup->isVisible());
        popup->close();

        Action("ToolbarPopup_ShowHints")->trigger();
        QVERIFY(!t.ShowHint());
        QCOMPARE(Button(0)->toolTip(), QString());
        emit popup->aboutToShow();
        QVERIFY(!Action("ToolbarPopup_ShowHints")->isChecked());
        Action("ToolbarPopup_ShowHints")->trigger();
        QVERIFY(t.ShowHint());

        Action("ToolbarPopup_Help")->trigger();
        QCOMPARE(m_help.Calls.last().Command, int(HELP_CONTEXTPOPUP));
        QCOMPARE(m_help.Calls.last().Data, 11);

        // The program's toolbar has groups: no error; the dialog comes later.
        TMessageBoxRecorder boxes;
        Action("ToolbarPopup_Properties")->trigger();
        QTest::mouseDClick(&t, Qt::LeftButton, {}, QPoint(300, 15));
        QVERIFY(boxes.Shown().isEmpty());

        Action("ToolbarPopup_Hide")->trigger();
        QVERIFY(t.isHidden());
        QVERIFY(Bevel()->isHidden());
        form.SetToolbarVisible(true);
        QVERIFY(t.isVisible() && Bevel()->isVisible());
    }

    void theStoredToolbarIsInForceAtTheFirstShow()
    {
        // A stored layout and no tooltips.
        Start(DataFile("stored-layout"));
        QCOMPARE(Geometries(Toolbar()),
                 (QList<QRect>{QRect(4, 4, 25, 25), QRect(29, 0, 2, 33), QRect(33, 4, 25, 25)}));
        QCOMPARE(Button(0)->CommandId(), 3);
        QVERIFY(!Toolbar().ShowHint());
        QCOMPARE(Button(0)->toolTip(), QString());

        // Hidden, with its bevel.
        Start(DataFile("hidden"));
        QVERIFY(Toolbar().isHidden());
        QVERIFY(Bevel()->isHidden());
        QCOMPARE(Toolbar().PlacedControls().size(), 2);

        // Count 0, version 2, one byte too many, a huge count: the initial
        // layout, with whatever flags still apply.
        for (const char* file : {"count-zero", "version-two", "one-byte-too-many", "count-huge"}) {
            Start(DataFile(file));
            QCOMPARE(Geometries(Toolbar()),
                     (QList<QRect>{QRect(4, 4, 25, 25), QRect(29, 4, 25, 25)}));
        }
        QVERIFY(!Toolbar().ShowHint()); // count-huge stores no tooltips
        Start(DataFile("version-two"));
        QVERIFY(Toolbar().isVisible());
        QVERIFY(Toolbar().ShowHint());

        // Bad records: no crash, what can be placed is.
        Start(DataFile("bad-items"));
        QCOMPARE(Toolbar().CountPlaced(12), 0);
        QCOMPARE(Toolbar().CountPlaced(3), 1);
        QCOMPARE(Toolbar().CountPlaced(-2), 2);
        QVERIFY(!m_form->grab().isNull());
    }

    void savingCapturesTheToolbar()
    {
        TMainForm& form = Start();
        TToolbar& t = Toolbar();
        t.Clear();
        const std::vector<TToolbarLayoutItem> records{{9, -1, -1, -1, -1}, {-2, -1, -1, -1, -1}};
        t.SetLayout(records);
        t.SetShowHint(false);
        form.SetToolbarVisible(false);
        Action("Item_UlozitNastaveni")->trigger();
        const TToolbarState* state = m_nastaveni->Toolbar.Get();
        QVERIFY(state);
        QCOMPARE(state->Visible, 0);
        QCOMPARE(state->ShowHints, 0);
        QCOMPARE(state->Records,
                 (std::vector<TToolbarLayoutItem>{{9, 4, 4, 25, 25}, {-2, 29, 0, 2, 33}}));

        // The next start comes back as it was left.
        const std::vector<TToolbarLayoutItem> left = state->Records;
        const std::string saved = *m_file->Content;
        Start(saved);
        QVERIFY(Toolbar().isHidden() && Bevel()->isHidden());
        QVERIFY(!Toolbar().ShowHint());
        QCOMPARE(Toolbar().PlacedItems(), left);

        // Every item removed: count 0 and no records; the next start shows
        // the initial layout.
        Toolbar().Clear();
        Action("Item_UlozitNastaveni")->trigger();
        {
            TRegistry reg(*m_store);
            QVERIFY(
                reg.OpenKey("Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Panel nástrojů", false));
            QCOMPARE(reg.ReadInteger("Počet tlačítek"), 0);
            QVERIFY(!reg.ValueExists("Tlačítka"));
            reg.CloseKey();
        }
        Start(*m_file->Content);
        QCOMPARE(Toolbar().PlacedControls().size(), 2);
    }
};

MECOVNIK_GUI_TEST_MAIN(MainToolbarTest)
#include "MainToolbarTest.moc"

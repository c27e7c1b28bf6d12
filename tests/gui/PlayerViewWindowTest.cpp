#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "components/TAdvancedListBox.h"
#include "persistence/TRegistryStore.h"
#include "playerview/PlayerAccess.h"
#include "playerview/TPlayerViewHub.h"
#include "playerview/TPlayerViewWindow.h"
#include "playerview/TShareModule.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "settings/TNastaveni.h"

#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>

#include <cmath>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;

namespace {

// Relative luminance and contrast ratio as the accessibility guidelines
// define them.
double Luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double x = Luminance(a);
    const double y = Luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// A port no one listens on now.
quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class PlayerViewWindowTest : public QObject
{
    Q_OBJECT

private:
    test::TFakeHelpSystem m_help;
    std::unique_ptr<test::TFakeRegistryFile> m_file;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;

    // The program's start over the store kept between "runs"; shareModule
    // replaces the sharing module's file when not empty.
    void Start(const QString& shareModule = {})
    {
        m_form.reset();
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        TMainFormServices services = test::TestServices(&m_help);
        if (!shareModule.isEmpty())
            services.ShareModule = shareModule;
        m_form = test::StartMainForm(*m_nastaveni, std::move(services));
        Flush();
    }

    TPostavyWindow& Postavy() { return *m_form->PostavyWindow(); }
    TNestvuryWindow& Nestvury() { return *m_form->NestvuryWindow(); }
    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }
    TPlayerViewWindow& View() { return *m_form->PlayerViewWindow(); }

    void PressF12()
    {
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(m_form.get(), Qt::Key_F12);
        Flush();
    }

    // Runs a command that asks a number, typing it as a user does.
    void Number(const char* action, int value)
    {
        m_dialogs.Next([=](QDialog& d) {
            auto& spin = Child<QSpinBox>(d, "UpDown_Zkusenost");
            spin.setFocus();
            spin.selectAll();
            QTest::keyClick(&spin, Qt::Key_Delete);
            QTest::keyClicks(&spin, QString::number(value));
            QTest::mouseClick(&Child<QPushButton>(d, "Btn_OK"), Qt::LeftButton);
        });
        Action(action).trigger();
        QVERIFY2(m_dialogs.Answered(), action);
        Flush();
    }

    void Select(TObjektWindow& roster, int row)
    {
        roster.ListBox()->SetItemIndex(row);
        Flush();
    }

    void AddCharacter(const char* name, int lives, int max, int knockOut)
    {
        auto c = std::make_unique<TPostava>(name);
        c->Lives = lives;
        c->MaxLives = max;
        c->KnockOut = knockOut;
        Postavy().AddRecord(std::move(c));
    }

    void AddMonster(const char* name, int lives, int max, int knockOut)
    {
        auto m = std::make_unique<TNestvura>(name);
        m->Lives = lives;
        m->MaxLives = max;
        m->KnockOut = knockOut;
        Nestvury().AddRecord(std::move(m));
    }

    void ExpectShown(const QStringList& expected)
    {
        Flush();
        QCOMPARE(View().Texts(), expected);
        // A monster's line never tells a number, whatever its name holds.
        bool monsters = false;
        for (const QString& line : View().Texts()) {
            monsters = monsters || line == QStringLiteral("Nestvůry");
            if (monsters && line.contains(QStringLiteral(": ")))
                QVERIFY2(!line.section(QStringLiteral(": "), -1)
                              .contains(QRegularExpression(QStringLiteral("[0-9]"))),
                         qPrintable(line));
        }
    }

private slots:
    void init()
    {
        m_file = std::make_unique<test::TFakeRegistryFile>();
        m_store = std::make_unique<TRegistryStore>(*m_file);
    }
    void cleanup()
    {
        m_form.reset();
        m_nastaveni.reset();
    }

    void followsEveryChangeAndHidesMonsterNumbers()
    {
        TMessageBoxRecorder boxes;
        Start();
        PressF12();
        QVERIFY(m_form->PlayerViewWindow());
        ExpectShown({QStringLiteral("Postavy"), QStringLiteral("Žádné postavy"),
                     QStringLiteral("Nestvůry"), QStringLiteral("Žádné nestvůry")});

        AddCharacter("Aragorn", 42, 50, 5);
        AddMonster("Skřet [2]", 18, 18, 2);
        const QString aragorn = QStringLiteral("Aragorn: 42 / 50");
        ExpectShown({QStringLiteral("Postavy"), aragorn, QStringLiteral("Nestvůry"),
                     QStringLiteral("Skřet [2]: nezraněná")});
        Select(Postavy(), 0);
        Select(Nestvury(), 0);

        // A monster's state by its lives: 18 at most, knocked out at 2.
        const struct
        {
            int Lives;
            const char* Word;
        } monsterStates[] = {{17, "zraněná"},      {7, "zraněná"},  {6, "těžce zraněná"},
                             {3, "těžce zraněná"}, {2, "vyřazená"}, {0, "mrtvá"}};
        for (const auto& c : monsterStates) {
            Number("Item_ZmenitZivotyNestvury_Akt", c.Lives);
            ExpectShown({QStringLiteral("Postavy"), aragorn, QStringLiteral("Nestvůry"),
                         QStringLiteral("Skřet [2]: ") + QString::fromUtf8(c.Word)});
        }
        // Undo and redo are followed too.
        Action("Item_Zpet").trigger();
        ExpectShown({QStringLiteral("Postavy"), aragorn, QStringLiteral("Nestvůry"),
                     QStringLiteral("Skřet [2]: vyřazená")});
        Action("Item_Znovu").trigger();
        ExpectShown({QStringLiteral("Postavy"), aragorn, QStringLiteral("Nestvůry"),
                     QStringLiteral("Skřet [2]: mrtvá")});

        // A character shows its numbers and its state.
        Number("Item_ZmenitZivoty_Aktivni", 5);
        ExpectShown({QStringLiteral("Postavy"), QStringLiteral("Aragorn: vyřazená, 5 / 50"),
                     QStringLiteral("Nestvůry"), QStringLiteral("Skřet [2]: mrtvá")});
        Number("Item_ZmenitZivoty_Aktivni", 0);
        ExpectShown({QStringLiteral("Postavy"), QStringLiteral("Aragorn: mrtvá, 0 / 50"),
                     QStringLiteral("Nestvůry"), QStringLiteral("Skřet [2]: mrtvá")});

        // A group deletion and its undo.
        boxes.Answer(QMessageBox::Yes);
        Action("Item_SmazatVsechnyNestvury").trigger();
        ExpectShown({QStringLiteral("Postavy"), QStringLiteral("Aragorn: mrtvá, 0 / 50"),
                     QStringLiteral("Nestvůry"), QStringLiteral("Žádné nestvůry")});
        Action("Item_Zpet").trigger();
        ExpectShown({QStringLiteral("Postavy"), QStringLiteral("Aragorn: mrtvá, 0 / 50"),
                     QStringLiteral("Nestvůry"), QStringLiteral("Skřet [2]: mrtvá")});
    }

    void aGroupChangeMakesOneView()
    {
        Start();
        QSignalSpy views(m_form->PlayerViewHub(), &TPlayerViewHub::ViewChanged);
        for (int i = 0; i < 20; ++i)
            AddMonster(qPrintable(QStringLiteral("Vlk %1").arg(i)), 10, 10, 0);
        Flush();
        QCOMPARE(views.count(), 1);
        Select(Nestvury(), 0);
        Number("Item_ZmenitZivotyNestvury_All", 3);
        QCOMPARE(views.count(), 2);
        // A change the players cannot see makes no view.
        Number("Item_ZmenitZivotyNestvury_All", 2);
        QCOMPARE(views.count(), 2);
    }

    void theItemFollowsTheWindowAndF11FillsTheScreen()
    {
        Start();
        QAction& item = Action("Item_PohledProHrace");
        QCOMPARE(item.text(), QStringLiteral("Pohled pro &hráče"));
        QCOMPARE(item.shortcut(), QKeySequence(Qt::Key_F12));
        QVERIFY(item.isCheckable());
        QVERIFY(!item.isChecked());

        PressF12();
        QVERIFY(item.isChecked());
        QVERIFY(View().isVisible());
        QVERIFY(View().isWindow());
        QCOMPARE(View().windowTitle(), QStringLiteral("Pohled pro hráče"));
        QVERIFY(!View().testAttribute(Qt::WA_QuitOnClose));

        // Closing the window unchecks the item; F12 brings it back.
        View().close();
        Flush();
        QVERIFY(!item.isChecked());
        QVERIFY(!View().isVisible());
        PressF12();
        QVERIFY(item.isChecked());
        QVERIFY(View().isVisible());

        // F11 fills the screen and leaves it; Escape leaves it too.
        QTest::keyClick(&View(), Qt::Key_F11);
        QVERIFY(View().isFullScreen());
        QTest::keyClick(&View(), Qt::Key_F11);
        QVERIFY(!View().isFullScreen());
        QTest::keyClick(&View(), Qt::Key_F11);
        QTest::keyClick(&View(), Qt::Key_Escape);
        QVERIFY(!View().isFullScreen());
        QVERIFY(View().isVisible());

        // F12 in the window itself closes it.
        View().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&View()));
        QTest::keyClick(&View(), Qt::Key_F12);
        Flush();
        QVERIFY(!item.isChecked());
        QVERIFY(!View().isVisible());
    }

    void thePlacementIsKeptAcrossARestart()
    {
        Start();
        PressF12();
        // The offscreen platform frames a window only once it has been
        // shown a while; the window itself is compared.
        const QRect placed(120, 90, 700, 450);
        View().setGeometry(placed);
        Flush();
        Action("Item_UlozitNastaveni").trigger();
        Start();
        QVERIFY(!m_form->PlayerViewWindow());
        PressF12();
        QCOMPARE(View().geometry(), placed);

        // Full screen comes back full screen, keeping the bounds it had
        // before for when it leaves it.
        const TFormPlacement normal = View().Placement();
        QTest::keyClick(&View(), Qt::Key_F11);
        QVERIFY(View().isFullScreen());
        Action("Item_UlozitNastaveni").trigger();
        QCOMPARE(m_nastaveni->PlayerView.Window, normal);
        QVERIFY(m_nastaveni->PlayerView.FullScreen);
        Start();
        PressF12();
        QVERIFY(View().isFullScreen());

        // Bounds off every screen are brought onto one.
        m_nastaveni->PlayerView.Window = {50000, 40000, 700, 450, 0};
        m_nastaveni->PlayerView.FullScreen = false;
        QVERIFY(m_nastaveni->Save());
        Start();
        PressF12();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.intersects(View().frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2").arg(View().x()).arg(View().y())));
    }

    void everyColourReadsAtFourAndAHalfToOne()
    {
        const QColor ground = TPlayerViewWindow::Background();
        for (const TMonsterState state :
             {TMonsterState::Unhurt, TMonsterState::Hurt, TMonsterState::BadlyHurt,
              TMonsterState::KnockedOut, TMonsterState::Dead})
            QVERIFY2(Contrast(TPlayerViewWindow::TextColor(state), ground) >= 4.5,
                     qPrintable(QString::number(int(state))));
        for (const bool dead : {false, true})
            for (const bool out : {false, true})
                QVERIFY(Contrast(TPlayerViewWindow::CharacterColor(dead, out), ground) >= 4.5);
    }

    void sharingSaysAPortInUseOnceAndGoesOn()
    {
        TMessageBoxRecorder boxes;
        Start();
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        QVERIFY(!m_form->SharePlayerView(true, taken.serverPort()));
        QCOMPARE(boxes.Shown().size(), 1);
        QVERIFY2(boxes.Shown().front().Text.contains(
                     QStringLiteral("port %1 už používá jiný program").arg(taken.serverPort())),
                 qPrintable(boxes.Shown().front().Text));
        QVERIFY(m_form->PlayerViewLink().isEmpty());
        // The choice and the players' key are kept all the same.
        QVERIFY(m_nastaveni->PlayerView.Share);
        const std::string token = m_nastaveni->PlayerView.Token;
        QVERIFY(IsPlayerViewToken(token));

        // Another port serves, with the same key; the window shows the link.
        const quint16 port = FreePort();
        QVERIFY(m_form->SharePlayerView(true, port));
        QCOMPARE(boxes.Shown().size(), 1);
        QCOMPARE(m_nastaveni->PlayerView.Token, token);
        const QString link = m_form->PlayerViewLink();
        QVERIFY2(link.endsWith(QStringLiteral(":%1/").arg(port) + QString::fromStdString(token)),
                 qPrintable(link));
        PressF12();
        QCOMPARE(View().Link(), link);
        // The link's QR code comes from the sharing module: modules and the
        // quiet zone of four around them, one pixel each.
        const QImage code = m_form->PlayerViewQrCode(link);
        QVERIFY(!code.isNull());
        QCOMPARE(code.width(), code.height());
        QVERIFY(code.width() >= 21 + 8);

        // Turned off: nothing listens, the window shows no link.
        QVERIFY(m_form->SharePlayerView(false, port));
        QVERIFY(View().Link().isEmpty());
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!probe.waitForConnected(2000));
    }

    void aMissingSharingModuleIsSaidAndTheProgramGoesOn()
    {
        TMessageBoxRecorder boxes;
        const QString missing = QStringLiteral("/nikde/libmecovnik_share.so");
        const quint16 port = FreePort();
        Start();
        m_nastaveni->PlayerView.Share = true;
        m_nastaveni->PlayerView.Port = port;
        QVERIFY(m_nastaveni->Save());
        QCOMPARE(boxes.Shown().size(), 0);

        // The stored "on", applied once the window shows, says what is missing.
        Start(missing);
        QCOMPARE(boxes.Shown().size(), 1);
        const QString text = boxes.Shown().front().Text;
        QVERIFY2(text.contains(QStringLiteral("nelze sdílet")) &&
                     text.contains(QStringLiteral("chybí knihovna")) && text.contains(missing),
                 qPrintable(text));
        QVERIFY(m_form->PlayerViewServer() == nullptr);
        QVERIFY(m_form->PlayerViewLink().isEmpty());
        QVERIFY(m_form->PlayerViewQrCode(QStringLiteral("http://192.168.1.2:8765/x")).isNull());
        // The choice is kept for a run that has the module.
        QVERIFY(m_nastaveni->PlayerView.Share);

        // Turned on again: said again, nothing served; the window still works.
        QVERIFY(!m_form->SharePlayerView(true, port));
        QCOMPARE(boxes.Shown().size(), 2);
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!probe.waitForConnected(500));
        PressF12();
        QVERIFY(View().isVisible());
        QVERIFY(View().Link().isEmpty());
        // Turned off: nothing to say.
        QVERIFY(m_form->SharePlayerView(false, port));
        QCOMPARE(boxes.Shown().size(), 2);
    }
};

MECOVNIK_GUI_TEST_MAIN(PlayerViewWindowTest)
#include "PlayerViewWindowTest.moc"

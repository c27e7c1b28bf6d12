#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TFakeHelpSystem.h"
#include "TFakeRegistryFile.h"

#include "app/Frm_Main.h"
#include "components/TAppMessageEvent.h"
#include "components/TInstanceLock.h"
#include "components/TRunOnlyOnce.h"
#include "persistence/TRegistryStore.h"
#include "settings/TNastaveni.h"
#include "toolbar/TToolbar.h"
#include "toolbar/TToolbarAdjustDialog.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <climits>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace mecovnik;

namespace {

// Counts the application messages of one number that reach the application.
class TMessageCounter final : public QObject
{
public:
    explicit TMessageCounter(quint32 message) : m_message(message)
    {
        qApp->installEventFilter(this);
    }
    ~TMessageCounter() override { qApp->removeEventFilter(this); }
    Q_DISABLE_COPY_MOVE(TMessageCounter)

    int Count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && static_cast<quint32>(event->type()) == m_message && m_message != 0)
            ++Count;
        return false;
    }

private:
    quint32 m_message;
};

const QString kName = QStringLiteral("Mečovník pro Hradomor");

std::unique_ptr<TRunOnlyOnce> Guard(const QString& dir, const QString& name = kName,
                                    bool enabled = true)
{
    auto guard = std::make_unique<TRunOnlyOnce>();
    guard->SetDirectory(dir);
    guard->SetMessageString(name);
    guard->SetEnabled(enabled);
    guard->Loaded();
    return guard;
}

} // namespace

class SingleInstanceTest final : public QObject
{
    Q_OBJECT

private slots:
    void laterCopiesSignalTheFirstAndEnd()
    {
        QTemporaryDir dir;
        auto first = Guard(dir.path());
        QVERIFY(!first->IsSecondCopy());
        QVERIFY(first->RegisteredMessage() != 0);
        QVERIFY(QFile::exists(dir.filePath(TInstanceLock::LockFileName(kName))));
        QVERIFY(QFile::exists(dir.filePath(TInstanceLock::SocketFileName(kName))));

        TMessageCounter counter(first->RegisteredMessage());
        auto second = Guard(dir.path());
        QVERIFY(second->IsSecondCopy());
        QCOMPARE(second->RegisteredMessage(), first->RegisteredMessage());
        QTRY_COMPARE(counter.Count, 1);
        // A third start behaves as the second did.
        second.reset();
        QVERIFY(Guard(dir.path())->IsSecondCopy());
        QTRY_COMPARE(counter.Count, 2);

        // A different name is a different program; so is another user's or
        // session's runtime directory.
        auto other = Guard(dir.path(), QStringLiteral("Jiný program"));
        QVERIFY(!other->IsSecondCopy());
        QVERIFY(other->RegisteredMessage() != first->RegisteredMessage());
        QTemporaryDir otherSession;
        QVERIFY(!Guard(otherSession.path())->IsSecondCopy());

        // Once the first copy ends, the next start is a first copy again.
        first.reset();
        QVERIFY(!QFile::exists(dir.filePath(TInstanceLock::SocketFileName(kName))));
        auto next = Guard(dir.path());
        QVERIFY(!next->IsSecondCopy());
        QCOMPARE(counter.Count, 2);
    }

    void anEmptyNameOrADisabledGuardMakesNoCheck()
    {
        QTemporaryDir dir;
        auto a = Guard(dir.path(), QString());
        auto b = Guard(dir.path(), QString());
        QVERIFY(!a->IsSecondCopy());
        QVERIFY(!b->IsSecondCopy());
        QCOMPARE(a->RegisteredMessage(), 0u);
        QVERIFY(QDir(dir.path()).isEmpty());

        auto running = Guard(dir.path());
        auto disabled = Guard(dir.path(), kName, false);
        QVERIFY(!disabled->IsSecondCopy());
        QCOMPARE(disabled->RegisteredMessage(), 0u);
        QVERIFY(!disabled->Enabled());
        QCOMPARE(TRunOnlyOnce().Enabled(), true);
        QVERIFY(TRunOnlyOnce().MessageString().isEmpty());
    }

    void aLockThatCannotBeMadeLetsTheStartGoOn()
    {
        QTemporaryDir dir;
        // No such directory.
        QVERIFY(!Guard(dir.filePath(QStringLiteral("chybí")))->IsSecondCopy());
        // The lock's name taken by something that is not a file.
        QVERIFY(QDir(dir.path()).mkdir(TInstanceLock::LockFileName(kName)));
        auto a = Guard(dir.path());
        auto b = Guard(dir.path());
        QVERIFY(!a->IsSecondCopy());
        QVERIFY(!b->IsSecondCopy());
        QVERIFY(a->RegisteredMessage() != 0);
    }

    void aSocketLeftByAKilledCopyIsReplaced()
    {
        QTemporaryDir dir;
        // What a killed holder leaves: the lock file (unlocked) and its socket.
        QFile lock(dir.filePath(TInstanceLock::LockFileName(kName)));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        QFile stale(dir.filePath(TInstanceLock::SocketFileName(kName)));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        auto first = Guard(dir.path());
        QVERIFY(!first->IsSecondCopy());
        TMessageCounter counter(first->RegisteredMessage());
        QVERIFY(TInstanceLock::SignalHolder(dir.path(), kName));
        QTRY_COMPARE(counter.Count, 1);
    }

    void namesThatAreNoPlainFileNames()
    {
        QTemporaryDir dir;
        const QString odd = QStringLiteral("../a/b%c\n") + QString(300, u'ř');
        auto first = Guard(dir.path(), odd);
        QVERIFY(!first->IsSecondCopy());
        // Everything stays inside the directory, and a long name still finds
        // its holder through a shorter socket name.
        QVERIFY(!TInstanceLock::LockFileName(odd).contains(u'/'));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
        TMessageCounter counter(first->RegisteredMessage());
        QVERIFY(Guard(dir.path(), odd)->IsSecondCopy());
        QTRY_COMPARE(counter.Count, 1);
    }

    // A later copy started with a file hands its path over with the request;
    // a request whose path is no path still brings the holder to the front.
    void aLaterCopyHandsItsFileOver()
    {
        QTemporaryDir dir;
        auto first = Guard(dir.path());
        QSignalSpy raised(first.get(), &TRunOnlyOnce::AnotherCopyStarted);
        QSignalSpy handed(first.get(), &TRunOnlyOnce::FileHandedOver);
        const auto start = [&dir](const QString& file) {
            TRunOnlyOnce later;
            later.SetDirectory(dir.path());
            later.SetMessageString(kName);
            later.SetFileToHand(file);
            later.Loaded();
            QVERIFY(later.IsSecondCopy());
        };
        const QString czech = QStringLiteral("/home/pj/Boj č. 1\nŽluťoučký kůň.souboj");
        // The longest path there is (PATH_MAX bytes with its end), and one longer.
        const QString longest = u'/' + QString(PATH_MAX - 2, u'x');
        start({});
        start(czech);
        start(longest);
        start(longest + u'x');
        QTRY_COMPARE(raised.count(), 4);
        QCOMPARE(handed.count(), 2);
        QCOMPARE(handed[0][0].toString(), czech);
        QCOMPARE(handed[1][0].toString(), longest);

        // Datagrams of other shapes: a request with nothing after its zero,
        // and something that is no request.
        const QByteArray socket =
            QFile::encodeName(dir.filePath(TInstanceLock::SocketFileName(kName)));
        const auto send = [&socket](const QByteArray& bytes) {
            const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path, socket.constData(),
                        static_cast<std::size_t>(socket.size()));
            const auto sent =
                ::sendto(fd, bytes.constData(), static_cast<std::size_t>(bytes.size()), 0,
                         reinterpret_cast<const sockaddr*>(&address), sizeof address);
            ::close(fd);
            return sent == bytes.size();
        };
        QVERIFY(send(QByteArray("mecovnik:raise\0", 15)));
        QVERIFY(send(QByteArray("mecovnik:raise\0a\0b", 18)));
        QVERIFY(send("mecovnik:raisex"));
        QVERIFY(send("jiný program"));
        QTRY_COMPARE(raised.count(), 6);
        QTest::qWait(100);
        QCOMPARE(raised.count(), 6); // the last two were no requests
        QCOMPARE(handed.count(), 2);
    }

    void theMainWindowComesToTheFront()
    {
        test::TFakeHelpSystem help;
        test::TFakeRegistryFile file;
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        TMainFormServices services = test::TestServices(&help);
        services.RunOnlyOnce = true;
        auto form = test::StartMainForm(nastaveni, services);
        QVERIFY(!form->SecondCopy());
        QCOMPARE(form->RunOnlyOnce().MessageString(), form->windowTitle());
        QVERIFY(form->RunOnlyOnce().Enabled());

        // Another message passes untouched.
        TAppMessageEvent other(TAppMessageEvent::RegisterMessage(QStringLiteral("něco jiného")));
        bool handled = false;
        form->AppMessage(other, handled);
        QVERIFY(!handled);

        form->showMinimized();
        QTRY_VERIFY(form->isMinimized());
        const int readsBefore = file.Reads;
        int versionQueries = 0;
        TMainFormServices again = services;
        again.QueryVersion = [&versionQueries] {
            ++versionQueries;
            return std::optional<TOsVersionInfo>(TOsVersionInfo{4, 0, 1381, 2});
        };
        auto second = std::make_unique<TMainForm>(nastaveni, again);
        QVERIFY(second->SecondCopy());
        // Nothing of the start-up ran in the second copy.
        QCOMPARE(versionQueries, 0);
        QCOMPARE(file.Reads, readsBefore);
        QVERIFY(second->HelpFile().isEmpty());
        QVERIFY(!second->isVisible());
        second.reset();

        QTRY_VERIFY(!form->isMinimized());
        QTRY_VERIFY(form->isActiveWindow());
        QVERIFY(form->isVisible());

        // With a modal dialog open, the dialog is what comes to the front.
        QDialog dialog(form.get());
        dialog.setWindowTitle(QStringLiteral("Otevřený dialog"));
        bool dialogActive = false;
        QTimer::singleShot(0, &dialog, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            // Another window of the desktop is the active one.
            QWidget elsewhere(nullptr, Qt::Window);
            elsewhere.setWindowModality(Qt::NonModal);
            elsewhere.show();
            elsewhere.activateWindow();
            QTRY_VERIFY(!dialog.isActiveWindow());
            QVERIFY(TMainForm(nastaveni, again).SecondCopy());
            QTRY_VERIFY(dialog.isActiveWindow());
            dialogActive = true;
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(dialogActive);
    }

    void aSecondStartBringsBackTheWindowLastWorkedIn()
    {
        test::TFakeHelpSystem help;
        test::TFakeRegistryFile file;
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        TMainFormServices services = test::TestServices(&help);
        services.RunOnlyOnce = true;
        auto form = test::StartMainForm(nastaveni, services);
        const auto secondStart = [&] { QVERIFY(TMainForm(nastaveni, services).SecondCopy()); };
        QWidget elsewhere(nullptr, Qt::Window);
        elsewhere.show();
        const auto workElsewhere = [&] {
            elsewhere.activateWindow();
            QTRY_VERIFY(elsewhere.isActiveWindow());
        };

        form->MainToolbar()->OnAdjust();
        QPointer<TToolbarAdjustDialog> adjust = TToolbarAdjustDialog::OpenDialog();
        QVERIFY(adjust);
        const auto activate = [](QWidget& w) {
            w.activateWindow();
            QTRY_VERIFY(w.isActiveWindow());
        };

        // The customisation window was the last one active.
        activate(*adjust);
        workElsewhere();
        secondStart();
        QTRY_VERIFY(adjust->isActiveWindow());

        // Also when the main window was minimised since: restored, and the
        // customisation window active.
        form->showMinimized();
        QTRY_VERIFY(form->isMinimized());
        workElsewhere();
        secondStart();
        QTRY_VERIFY(!form->isMinimized());
        QTRY_VERIFY(adjust->isActiveWindow());

        // The main window was the last one active, the customisation window
        // still open.
        activate(*form);
        workElsewhere();
        secondStart();
        QTRY_VERIFY(form->isActiveWindow());

        // The last active window is gone: the main window.
        activate(*adjust);
        adjust->close();
        QTRY_VERIFY(!adjust);
        workElsewhere();
        secondStart();
        QTRY_VERIFY(form->isActiveWindow());

        // A window of another program is never the one brought back.
        workElsewhere();
        secondStart();
        QTRY_VERIFY(form->isActiveWindow());
        QVERIFY(!elsewhere.isActiveWindow());
    }
};

MECOVNIK_GUI_TEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"

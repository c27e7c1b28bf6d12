#include "FileFaults.h"
#include "GuiTestEnvironment.h"

#include "history/FightJournalFormat.h"
#include "platform/TQtJournalFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <functional>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace mecovnik;
using test::KindAt;
using test::MakeFifo;
using test::Mode;
using test::TUnwritable;

namespace {

std::string Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<none>";
    return file.readAll().toStdString();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A listening Unix socket's file at path; the socket stays open while the
// returned descriptor does.
int MakeSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

// The fight's journal on disk: where it lives, who may touch it, and how it
// is written.
class JournalFileTest : public QObject
{
    Q_OBJECT

private slots:
    void livesInTheUsersStateFolder()
    {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/srv/stav");
        QCOMPARE(TQtJournalFile::DefaultFolder(), QStringLiteral("/srv/stav/mecovnik"));
        qputenv("XDG_STATE_HOME", "relativni/stav"); // not absolute: ignored
        QCOMPARE(TQtJournalFile::DefaultFolder(),
                 QDir::homePath() + QStringLiteral("/.local/state/mecovnik"));
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(TQtJournalFile::DefaultFolder(),
                 QDir::homePath() + QStringLiteral("/.local/state/mecovnik"));
        qputenv("XDG_STATE_HOME", saved);
    }

    void onlyTheHolderTouchesIt()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/stav/mecovnik");
        auto first = std::make_unique<TQtJournalFile>(folder);
        QVERIFY(first->Claim());
        QCOMPARE(Mode(folder), 0700u);
        QCOMPARE(Mode(first->LockPath()), 0600u);
        QVERIFY(first->Claim()); // claiming again is no harm

        // An append never makes the journal; a replacement does, owner only.
        QVERIFY(!first->Append("x"));
        QVERIFY(!QFile::exists(first->Path()));
        QVERIFY(first->Replace("jedna\n"));
        QCOMPARE(Mode(first->Path()), 0600u);
        QVERIFY(first->Append("dva\n"));
        QVERIFY(first->Append("tři\n"));
        QCOMPARE(first->ReadAll().Bytes, std::string("jedna\ndva\ntři\n"));
        QVERIFY(!QFile::exists(first->Path() + QStringLiteral(".new")));

        // A second copy (another open of the lock, as another process makes)
        // is refused and touches nothing.
        {
            TQtJournalFile second(folder);
            QVERIFY(!second.Claim());
            QCOMPARE(second.ReadAll().Status, TJournalFile::TReadStatus::Failed);
            QVERIFY(!second.Append("cizí\n"));
            QVERIFY(!second.Replace("cizí\n"));
            QVERIFY(!second.Remove());
            QVERIFY(!second.KeepBackup());
        }
        QCOMPARE(Read(first->Path()), std::string("jedna\ndva\ntři\n"));

        // Appends after a replacement go to the new file.
        QVERIFY(first->Replace("nový\n"));
        QVERIFY(first->Append("dál\n"));
        QCOMPARE(Read(first->Path()), std::string("nový\ndál\n"));

        // Once the holder is gone, the next copy may take it.
        first.reset();
        TQtJournalFile third(folder);
        QVERIFY(third.Claim());
        QCOMPARE(third.ReadAll().Bytes, std::string("nový\ndál\n"));
    }

    void setAsideRemovedAndTooLarge()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/jinam/mecovnik");
        TQtJournalFile file(folder);
        QVERIFY(file.Claim());
        QCOMPARE(file.ReadAll().Status, TJournalFile::TReadStatus::Missing);
        QVERIFY(file.KeepBackup()); // nothing to set aside
        QVERIFY(file.Remove());     // nothing to remove

        QVERIFY(file.Replace("poškozený\n"));
        QVERIFY(file.KeepBackup());
        QVERIFY(!QFile::exists(file.Path()));
        QCOMPARE(Read(file.BackupPath()), std::string("poškozený\n"));
        QCOMPARE(file.ReadAll().Status, TJournalFile::TReadStatus::Missing);

        QVERIFY(file.Replace("a\n"));
        QVERIFY(file.Remove());
        QVERIFY(!QFile::exists(file.Path()));
        QVERIFY(QFile::exists(file.LockPath())); // the lock stays for the next copy

        QFile big(file.Path());
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(static_cast<qint64>(kMaxJournalBytes) + 1));
        big.close();
        QCOMPARE(file.ReadAll().Status, TJournalFile::TReadStatus::Failed);
    }

    void whatIsNoRegularFileIsNeverOpenedNorWaitedFor()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/cizi/mecovnik");
        const QString outside = QDir::homePath() + QStringLiteral("/mimo.txt");
        const QByteArray outsideBytes = "cizí data\n";
        TQtJournalFile file(folder);
        QVERIFY(file.Claim());
        Write(outside, outsideBytes);

        // At the journal's place: a FIFO (whose open would wait for a writer),
        // a socket, a link to a file elsewhere, a folder. Each is refused at
        // once and set aside as a damaged journal is.
        const QList<QPair<char, std::function<bool()>>> planted = {
            {'p', [&] { return MakeFifo(file.Path()); }},
            {'s', [&] { return MakeSocket(file.Path()) >= 0; }},
            {'l', [&] { return QFile::link(outside, file.Path()); }},
            {'d', [&] { return QDir().mkdir(file.Path()); }},
        };
        for (const auto& [kind, plant] : planted) {
            QVERIFY2(plant(), &kind);
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(file.ReadAll().Status, TJournalFile::TReadStatus::Failed);
            QVERIFY(timer.elapsed() < 2000);
            QFile::remove(file.BackupPath());
            QDir(file.BackupPath()).removeRecursively();
            QVERIFY(file.KeepBackup());
            QCOMPARE(KindAt(file.BackupPath()), kind);
            QCOMPARE(KindAt(file.Path()), '-');
        }
        // The place is free again: the journal is written as ever.
        QVERIFY(file.Replace("jedna\n"));
        QCOMPARE(KindAt(file.Path()), 'f');
        QCOMPARE(file.ReadAll().Bytes, std::string("jedna\n"));
        QCOMPARE(Read(outside), outsideBytes.toStdString());
    }

    void noByteIsEverWrittenOutsideTheFolder()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/odkazy/mecovnik");
        const QString outside = QDir::homePath() + QStringLiteral("/cizi.txt");
        const QByteArray outsideBytes = "nedotknutelné\n";
        Write(outside, outsideBytes);
        QVERIFY(QDir().mkpath(folder));

        // The lock's place taken by a FIFO, then by a link: the lock is made
        // anew as a file of the folder.
        for (const bool fifo : {true, false}) {
            QFile::remove(folder + QStringLiteral("/fight.lock"));
            QVERIFY(fifo ? MakeFifo(folder + QStringLiteral("/fight.lock"))
                         : QFile::link(outside, folder + QStringLiteral("/fight.lock")));
            TQtJournalFile file(folder);
            QVERIFY(file.Claim());
            QCOMPARE(KindAt(file.LockPath()), 'f');
        }
        TQtJournalFile file(folder);
        QVERIFY(file.Claim());

        // The temporary name taken by a link, a hard link (another name of a
        // file elsewhere) and a FIFO: the journal is written all the same,
        // and the file elsewhere keeps its bytes.
        const QList<std::function<bool()>> planted = {
            [&] { return QFile::link(outside, file.TemporaryPath()); },
            [&] {
                return ::link(QFile::encodeName(outside).constData(),
                              QFile::encodeName(file.TemporaryPath()).constData()) == 0;
            },
            [&] { return MakeFifo(file.TemporaryPath()); },
        };
        int round = 0;
        for (const auto& plant : planted) {
            QVERIFY(plant());
            const std::string bytes = "souboj " + std::to_string(++round) + "\n";
            QVERIFY(file.Replace(bytes));
            QCOMPARE(KindAt(file.Path()), 'f');
            QCOMPARE(Mode(file.Path()), 0600u);
            QCOMPARE(file.ReadAll().Bytes, bytes);
            QCOMPARE(KindAt(file.TemporaryPath()), '-');
            QCOMPARE(Read(outside), outsideBytes.toStdString());
        }

        // Appends go to the file the replacement made, never to one put in
        // its place by name.
        const QString swapped = folder + QStringLiteral("/podvrh");
        QVERIFY(::link(QFile::encodeName(outside).constData(),
                       QFile::encodeName(swapped).constData()) == 0);
        QVERIFY(::rename(QFile::encodeName(swapped).constData(),
                         QFile::encodeName(file.Path()).constData()) == 0);
        QVERIFY(file.Append("dál\n"));
        QCOMPARE(Read(outside), outsideBytes.toStdString());
    }

    void aFolderThatCannotBeMadeIsTriedAgain()
    {
        // A file where the folder, or the folder above it, should be.
        const QString above = QDir::homePath() + QStringLiteral("/zablokovano");
        for (const QString& blocker : {above + QStringLiteral("/mecovnik"), above}) {
            QVERIFY(QDir().mkpath(above));
            if (blocker == above)
                QDir(above).removeRecursively();
            Write(blocker, "soubor\n");
            TQtJournalFile file(above + QStringLiteral("/mecovnik"));
            QVERIFY(!file.Claim());
            QVERIFY(!file.Replace("x\n"));
            QCOMPARE(Read(blocker), std::string("soubor\n"));
            QVERIFY(QFile::remove(blocker));
            QVERIFY(file.Claim()); // the next try, once the way is free
            QVERIFY(file.Replace("x\n"));
            QDir(above).removeRecursively();
        }
    }

    void aLeftJournalInAFolderThatCannotBeWrittenIsStillRead()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/jencteni/mecovnik");
        {
            TQtJournalFile crashed(folder);
            QVERIFY(crashed.Claim());
            QVERIFY(crashed.Replace("levý souboj\n"));
        }
        {
            TUnwritable folderLocked(folder);
            if (!folderLocked.Works())
                QSKIP("this process can write any folder here");
            TQtJournalFile file(folder);
            QVERIFY(file.Claim());
            QCOMPARE(file.ReadAll().Bytes, std::string("levý souboj\n"));
            // Another copy is still kept out.
            TQtJournalFile second(folder);
            QVERIFY(!second.Claim());
            // Nothing new can be made there, and nothing is left behind.
            QVERIFY(!file.Replace("nový\n"));
            QCOMPARE(KindAt(file.TemporaryPath()), '-');
            QVERIFY(!file.KeepBackup());
            QCOMPARE(file.ReadAll().Bytes, std::string("levý souboj\n"));
            {
                // Not even the journal itself can be written: it stays.
                TUnwritable journalLocked(file.Path());
                QVERIFY(!file.Remove());
                QCOMPARE(file.ReadAll().Bytes, std::string("levý souboj\n"));
            }
            // It cannot be removed, but it can be emptied: no fight is left.
            QVERIFY(file.Remove());
            QCOMPARE(file.ReadAll().Bytes, std::string());
        }
    }

    void aFullDiskFailsTheWriteAndKeepsWhatWasWritten()
    {
        const QString folder = QDir::homePath() + QStringLiteral("/plny/mecovnik");
        TQtJournalFile file(folder);
        QVERIFY(file.Claim());
        QVERIFY(file.Replace("první\n"));
        QVERIFY(file.Append("druhý\n"));
        // A file-size limit makes writes beyond it fail as a full disk does.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::string big(8192, 'x');
        const bool replaced = file.Replace(big);
        const bool appended = file.Append(big);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!replaced);
        QVERIFY(!appended);
        QCOMPARE(KindAt(file.TemporaryPath()), '-');
        // What was written before stays readable; the next write works.
        QVERIFY(file.ReadAll().Bytes.starts_with("první\ndruhý\n"));
        QVERIFY(file.Replace("třetí\n"));
        QCOMPARE(file.ReadAll().Bytes, std::string("třetí\n"));
    }
};

MECOVNIK_GUI_TEST_MAIN(JournalFileTest)
#include "JournalFileTest.moc"

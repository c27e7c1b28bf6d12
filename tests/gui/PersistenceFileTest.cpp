#include "GuiTestEnvironment.h"

#include "persistence/RegFileFormat.h"
#include "persistence/TMemoryRegistryFile.h"
#include "persistence/TRegistryStore.h"
#include "platform/TQtRegistryFile.h"
#include "settings/TNastaveni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

using namespace mecovnik;

namespace {

// Two configurations big enough that saving one takes a little while.
constexpr int kPresetCount = 1500;

void MakeConfiguration(TNastaveni& nastaveni, int variant)
{
    nastaveni.AutoSave = variant == 0;
    nastaveni.MainWindow = {10 * variant, 20, 640 + variant, 480, 0};
    nastaveni.MonsterPresets.FreeListObjects();
    for (int i = 0; i < kPresetCount; ++i) {
        auto record = std::make_unique<TNestvura>("Nestvůra " + std::to_string(variant) + "-" +
                                                  std::to_string(i));
        record->Level = i;
        nastaveni.MonsterPresets.Append(std::move(record));
    }
}

// The bytes a save of a configuration writes.
std::string TextOf(int variant)
{
    TMemoryRegistryFile file;
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    MakeConfiguration(nastaveni, variant);
    if (!nastaveni.Save() || !file.Content)
        qFatal("cannot build the expected text");
    return *file.Content;
}

std::string ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

bool WriteFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// Files in a folder other than the store's file and its copy: left-over
// temporary files.
QStringList Strays(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(QStringLiteral("registry.reg"));
    names.removeAll(QStringLiteral("registry.reg.bak"));
    return names;
}

mode_t Mode(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return ~mode_t{0};
    return info.st_mode & 07777;
}

// ---- child processes ----

// "--child fsize <path>": saves under a file size limit; exit code 0 when the
// save reported failure, 1 when it claimed success.
int ChildSaveUnderSizeLimit(const char* path)
{
    const rlimit limit{16 * 1024, 16 * 1024};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    // The write must fail with EFBIG instead of the signal killing us.
    std::signal(SIGXFSZ, SIG_IGN);
    TQtRegistryFile file(QString::fromLocal8Bit(path));
    TRegistryStore store(file);
    TNastaveni nastaveni(store);
    MakeConfiguration(nastaveni, 1);
    return nastaveni.Save() ? 1 : 0;
}

// "--child loop <path>": saves the two configurations in turn until killed.
int ChildSaveForever(const char* path)
{
    TQtRegistryFile file(QString::fromLocal8Bit(path));
    TRegistryStore store(file);
    TNastaveni first(store);
    TNastaveni second(store);
    MakeConfiguration(first, 0);
    MakeConfiguration(second, 1);
    std::puts("saving");
    std::fflush(stdout);
    for (int round = 0;; ++round)
        if (!(round % 2 == 0 ? second : first).Save())
            return 1;
}

} // namespace

class PersistenceFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

private slots:
    void theFileLivesInTheUsersConfigFolder()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!config.isEmpty());
        QCOMPARE(TQtRegistryFile::DefaultPath(), config + QStringLiteral("/mecovnik/registry.reg"));
    }

    void writesTheWholeFileForTheOwnerOnly()
    {
        const QString folder = Path(QStringLiteral("new/mecovnik"));
        TQtRegistryFile file(folder + QStringLiteral("/registry.reg"));
        QCOMPARE(file.ReadAll().Status, TRegistryFile::TReadStatus::Missing);
        QVERIFY(file.KeepBackup()); // nothing to keep
        QVERIFY(file.WriteAll("first"));
        QCOMPARE(Mode(folder), mode_t{0700});
        QCOMPARE(Mode(file.Path()), mode_t{0600});
        struct stat info
        {
        };
        QCOMPARE(::stat(QFile::encodeName(file.Path()).constData(), &info), 0);
        const ino_t firstInode = info.st_ino;

        QVERIFY(file.WriteAll("second, longer"));
        const TRegistryFile::TReadResult read = file.ReadAll();
        QCOMPARE(read.Status, TRegistryFile::TReadStatus::Read);
        QCOMPARE(read.Bytes, std::string("second, longer"));
        QCOMPARE(::stat(QFile::encodeName(file.Path()).constData(), &info), 0);
        QVERIFY(info.st_ino != firstInode); // a new file renamed over the old one
        QCOMPARE(Mode(file.Path()), mode_t{0600});

        QVERIFY(file.KeepBackup());
        QCOMPARE(ReadFile(file.BackupPath()), std::string("second, longer"));
        QCOMPARE(Mode(file.BackupPath()), mode_t{0600});
        QVERIFY(Strays(folder).isEmpty());
    }

    void whatIsNoRegularFileCountsAsUnreadableAndIsNeverWaitedOn()
    {
        // A folder where the file belongs.
        QVERIFY(QDir().mkpath(Path(QStringLiteral("dir/registry.reg"))));
        TQtRegistryFile folder(Path(QStringLiteral("dir/registry.reg")));
        QCOMPARE(folder.ReadAll().Status, TRegistryFile::TReadStatus::Failed);
        QVERIFY(!folder.WriteAll("x"));

        // A FIFO without a writer: opening it for reading the usual way would
        // wait for one. Start and save run on a thread of their own, so a hang
        // fails the test instead of stopping it.
        const QString fifoFolder = Path(QStringLiteral("fifo"));
        QVERIFY(QDir().mkpath(fifoFolder));
        const QString fifo = fifoFolder + QStringLiteral("/registry.reg");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        struct TOutcome
        {
            bool Loaded = false, AutoSave = false, Saved = true;
            std::atomic<bool> Done = false;
        };
        auto outcome = std::make_shared<TOutcome>();
        std::thread([fifo, outcome] {
            TQtRegistryFile file(fifo);
            TRegistryStore store(file);
            TNastaveni nastaveni(store);
            nastaveni.AutoSave = false;
            outcome->Loaded = nastaveni.Load();
            outcome->AutoSave = nastaveni.AutoSave;
            nastaveni.MonsterPresets.Append(std::make_unique<TNestvura>("Skřet"));
            outcome->Saved = nastaveni.Save();
            outcome->Done = true;
        }).detach();
        QTRY_VERIFY_WITH_TIMEOUT(outcome->Done, 5000);
        QVERIFY(outcome->Loaded);    // nothing read: the defaults stay
        QVERIFY(!outcome->AutoSave); // as it was before the load
        QVERIFY(!outcome->Saved);    // reported, not hung
        QFileInfo info(fifo);
        QVERIFY(!info.isFile() && info.exists()); // left in place
        QVERIFY(!QFile::exists(fifo + QStringLiteral(".bak")));

        // A link to a regular file reads like the file; a link to a device does not.
        const QString linked = Path(QStringLiteral("linked"));
        QVERIFY(QDir().mkpath(linked));
        const std::string text = "Windows Registry Editor Version "
                                 "5.00\n\n[HKEY_CURRENT_USER\\A]\n\"a\"=dword:00000001\n";
        QVERIFY(WriteFile(linked + QStringLiteral("/target.reg"), text));
        QVERIFY(
            QFile::link(QStringLiteral("target.reg"), linked + QStringLiteral("/registry.reg")));
        const auto read = TQtRegistryFile(linked + QStringLiteral("/registry.reg")).ReadAll();
        QCOMPARE(read.Status, TRegistryFile::TReadStatus::Read);
        QCOMPARE(read.Bytes, text);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), linked + QStringLiteral("/zero.reg")));
        QCOMPARE(TQtRegistryFile(linked + QStringLiteral("/zero.reg")).ReadAll().Status,
                 TRegistryFile::TReadStatus::Failed);
    }

    void anOversizedFileLoadsWhatFitsAndIsKept()
    {
        // The settings, then one enormous value that goes past the read limit.
        const QString folder = Path(QStringLiteral("oversized"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/registry.reg");
        const std::string start =
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nastavení]\n"
            "\"Automaticky ukládat nastavení\"=dword:00000000\n\n"
            "[HKEY_CURRENT_USER\\Software\\Ferdax\\Mečovník pro Hradomor\\1.0\\Nestvůry\\Drak]\n"
            "\"Zkušenost\"=dword:00001388\n\"Poklad\"=\"";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(start.data(), static_cast<qint64>(start.size())) ==
                    static_cast<qint64>(start.size()));
            const QByteArray piece(1 << 20, 'z');
            for (std::size_t written = start.size(); written <= kMaxRegistryFileBytes + (4u << 20);
                 written += static_cast<std::size_t>(piece.size()))
                QVERIFY(file.write(piece) == piece.size());
        }
        const qint64 size = QFileInfo(path).size();
        struct stat before
        {
        };
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);

        const auto read = TQtRegistryFile(path).ReadAll();
        QCOMPARE(read.Status, TRegistryFile::TReadStatus::Read);
        QVERIFY(read.Truncated);
        QCOMPARE(read.Bytes.size(), kMaxRegistryFileBytes);

        TQtRegistryFile file(path);
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        QVERIFY(nastaveni.Load());
        QVERIFY(!nastaveni.AutoSave);
        QCOMPARE(nastaveni.MonsterPresets.Count(), 1);
        QCOMPARE(nastaveni.MonsterPresets.At(0)->KillExperience, 5000);
        QVERIFY(!store.LastReadWhole());
        QVERIFY(nastaveni.Save());
        // The whole old file is kept, as a second link to it.
        struct stat backup
        {
        };
        QCOMPARE(::stat(QFile::encodeName(file.BackupPath()).constData(), &backup), 0);
        QCOMPARE(backup.st_ino, before.st_ino);
        QCOMPARE(QFileInfo(file.BackupPath()).size(), size);
        QVERIFY(QFileInfo(path).size() < 2000);
        QVERIFY(Strays(folder).isEmpty());
    }

    void aDamagedFileIsKeptAsACopyBeforeItIsReplaced()
    {
        const QString folder = Path(QStringLiteral("damaged"));
        QVERIFY(QDir().mkpath(folder));
        const std::string damaged = "Windows Registry Editor Version 5.00\n\nhand-written junk\n";
        QVERIFY(WriteFile(folder + QStringLiteral("/registry.reg"), damaged));
        TQtRegistryFile file(folder + QStringLiteral("/registry.reg"));
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        QVERIFY(nastaveni.Load());
        QVERIFY(!QFile::exists(file.BackupPath())); // loading never writes
        QVERIFY(nastaveni.Save());
        QCOMPARE(ReadFile(file.BackupPath()), damaged);
        QVERIFY(ReadRegFile(ReadFile(file.Path())).Whole);
        QVERIFY(Strays(folder).isEmpty());
    }

    void aConfigFolderThatIsAFileFailsTheSave()
    {
        const QString blocker = Path(QStringLiteral("blocked"));
        QVERIFY(WriteFile(blocker, "not a folder"));
        TQtRegistryFile file(blocker + QStringLiteral("/mecovnik/registry.reg"));
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        QVERIFY(nastaveni.Load());
        QVERIFY(!nastaveni.Save());
        QCOMPARE(ReadFile(blocker), std::string("not a folder"));
    }

    // A failed step is logged with its path and the reason.
    void failedStepsAreLoggedWithTheirReason()
    {
        const auto expect = [](const char* step, const QString& path, const QString& reason) {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("^%1 %2: %3$")
                                                        .arg(QString::fromLatin1(step),
                                                             QRegularExpression::escape(path),
                                                             QRegularExpression::escape(reason))));
        };
        // The system's reason: a file where a folder belongs.
        const QString blocker = Path(QStringLiteral("logged"));
        QVERIFY(WriteFile(blocker, "not a folder"));
        const QString blocked = blocker + QStringLiteral("/mecovnik/registry.reg");
        {
            TQtRegistryFile file(blocked);
            TRegistryStore store(file);
            TNastaveni nastaveni(store);
            expect("open", blocked, QString::fromLocal8Bit(std::strerror(ENOTDIR)));
            QVERIFY(nastaveni.Load());
        }
        // The program's own: a link to nowhere where the folder belongs.
        const QString linked = Path(QStringLiteral("nowhere"));
        QVERIFY(QFile::link(Path(QStringLiteral("missing")), linked));
        TQtRegistryFile file(linked + QStringLiteral("/registry.reg"));
        TRegistryStore store(file);
        TNastaveni nastaveni(store);
        QVERIFY(nastaveni.Load());
        expect("make", linked, QStringLiteral("something else stands there"));
        QVERIFY(!nastaveni.Save());
    }

    void aFileSizeLimitFailsTheSaveAndKeepsTheOldFile()
    {
        const QString folder = Path(QStringLiteral("limited"));
        const QString path = folder + QStringLiteral("/registry.reg");
        {
            TQtRegistryFile file(path);
            TRegistryStore store(file);
            TNastaveni small(store);
            small.AutoSave = false;
            QVERIFY(small.Save());
        }
        const std::string old = ReadFile(path);
        QVERIFY(old.size() < 16 * 1024);
        QVERIFY(TextOf(1).size() > 16 * 1024);

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QStringLiteral("fsize"), path});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0); // Save reported the failure
        QCOMPARE(ReadFile(path), old);
        QVERIFY2(Strays(folder).isEmpty(), qPrintable(Strays(folder).join(u' ')));
    }

    void aSaveKilledAtAnyMomentLeavesAWholeFile()
    {
        const QString folder = Path(QStringLiteral("killed"));
        const QString path = folder + QStringLiteral("/registry.reg");
        const std::string texts[] = {TextOf(0), TextOf(1)};
        QVERIFY(TQtRegistryFile(path).WriteAll(texts[0]));

        const unsigned seed = std::random_device()();
        qInfo("random seed %u", seed);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> delay(0, 40000); // microseconds; a save takes ~8 ms
        constexpr int kRounds = 60;
        int changes = 0;
        std::string last = texts[0];
        for (int round = 0; round < kRounds; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--child"), QStringLiteral("loop"), path});
            QVERIFY(child.waitForReadyRead(30000));
            QThread::usleep(static_cast<unsigned long>(delay(random)));
            child.kill();
            QVERIFY(child.waitForFinished(30000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            const std::string now = ReadFile(path);
            QVERIFY2(now == texts[0] || now == texts[1], qPrintable(QString::number(round)));
            QVERIFY(ReadRegFile(now).Whole);
            if (now != last)
                ++changes;
            last = now;
        }
        // How often a kill found the file changed, and how many temporary files
        // the kills left behind (none where the temporary file is unnamed).
        qInfo("file changed in %d of %d rounds; %lld temporary files left", changes, kRounds,
              static_cast<long long>(Strays(folder).size()));
    }
};

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        if (std::strcmp(argv[2], "fsize") == 0)
            return ChildSaveUnderSizeLimit(argv[3]);
        if (std::strcmp(argv[2], "loop") == 0)
            return ChildSaveForever(argv[3]);
        return 2;
    }
    mecovnik::test::TGuiTestEnvironment environment;
    QApplication app(argc, argv);
    PersistenceFileTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "PersistenceFileTest.moc"

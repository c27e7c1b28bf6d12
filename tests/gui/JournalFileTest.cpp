#include "GuiTestEnvironment.h"

#include "history/FightJournalFormat.h"
#include "platform/TQtJournalFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace mecovnik;

namespace {

std::string Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<none>";
    return file.readAll().toStdString();
}

// The permission bits of a path: owner, group, others.
unsigned Mode(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0xFFFF;
    return st.st_mode & 0777u;
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
};

MECOVNIK_GUI_TEST_MAIN(JournalFileTest)
#include "JournalFileTest.moc"

#include "FileFaults.h"
#include "GuiTestEnvironment.h"
#include "MainFormFixture.h"
#include "TDialogAnswerer.h"
#include "TFakeHelpSystem.h"
#include "TFakeJournalFile.h"
#include "TFakeRegistryFile.h"
#include "TMessageBoxRecorder.h"

#include "app/Frm_Main.h"
#include "app/TApplication.h"
#include "app/TFightKeeper.h"
#include "components/TAdvancedListBox.h"
#include "history/FightReport.h"
#include "history/LedgerExport.h"
#include "persistence/TRegistryStore.h"
#include "platform/TPrintModule.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "settings/TNastaveni.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <csignal>
#include <sys/resource.h>

using namespace mecovnik;
using test::Child;
using test::Flush;
using test::TDialogAnswerer;
using test::TMessageBoxRecorder;
using test::TypeText;

namespace {

// Runs a tool of poppler-utils; its standard output.
QString Tool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF's text, page by page, as pdftotext reads it.
QStringList PdfPages(const QString& path)
{
    QStringList pages =
        Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// With MECOVNIK_TEST_OUTPUT set, a copy of the file goes there, to be looked
// at.
void Keep(const QString& path, const QString& name)
{
    const QString keep = qEnvironmentVariable("MECOVNIK_TEST_OUTPUT");
    if (!keep.isEmpty()) {
        QFile::remove(keep + u'/' + name);
        QFile::copy(path, keep + u'/' + name);
    }
}

// Writes a PDF into the test's home, kept (Keep).
QString WritePdf(const QByteArray& bytes, const QString& name)
{
    const QString path = QDir::homePath() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    Keep(path, name);
    return path;
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

TLedgerRow Row(const std::string& character, std::int32_t earned)
{
    TLedgerRow row;
    row.Time = 1'714'590'000;
    row.Character = character;
    row.Event = TLedgerEvent::Special;
    row.EarnedChange = row.UnassignedChange = 1;
    row.Earned = row.Unassigned = earned;
    return row;
}

std::string TimeText(std::int64_t t)
{
    return "čas " + std::to_string(t);
}

void TypeFileName(QDialog& dialog, const QString& name)
{
    auto& edit = Child<QLineEdit>(dialog, "fileNameEdit");
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    TypeText(&edit, name);
    QTest::keyClick(&edit, Qt::Key_Return);
}

} // namespace

// The fight on paper: the print module's pages (as PDF text), the preview,
// and the Soubor menu's print and export commands with their files.
class PrintTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TPrintModule> m_module;
    std::unique_ptr<test::TFakeRegistryFile> m_storeFile;
    std::unique_ptr<TRegistryStore> m_store;
    std::unique_ptr<TNastaveni> m_nastaveni;
    test::TFakeHelpSystem m_help;
    std::unique_ptr<test::TFakeJournalFile> m_journal;
    std::unique_ptr<TMainForm> m_form;
    TDialogAnswerer m_dialogs;
    QString m_documents;

    void Start(const QString& printModule = QStringLiteral(MECOVNIK_PRINT_MODULE))
    {
        m_form.reset();
        m_storeFile = std::make_unique<test::TFakeRegistryFile>();
        m_store = std::make_unique<TRegistryStore>(*m_storeFile);
        m_journal = std::make_unique<test::TFakeJournalFile>();
        m_nastaveni = std::make_unique<TNastaveni>(*m_store);
        TMainFormServices s = test::TestServices(&m_help);
        s.Journal = m_journal.get();
        s.PrintModule = printModule;
        m_form = test::StartMainForm(*m_nastaveni, std::move(s));
        Flush();
    }

    QAction& Action(const char* name)
    {
        return *m_form->findChild<QAction*>(QString::fromLatin1(name));
    }

    void Run(const char* action, TDialogAnswerer::TFill fill)
    {
        QVERIFY2(m_dialogs.Run(Action(action), std::move(fill)), action);
    }

    void NewCharacter(const QString& name)
    {
        Run("Item_NovaPostava", test::NewCharacterFill(name));
    }

    void NewMonster(const QString& name) { Run("Item_NovaNestvura", test::NewMonsterFill(name)); }

    // Exports with the command's file dialog, typing name.
    void Export(const char* action, const QString& name)
    {
        Run(action, [=](QDialog& d) {
            QCOMPARE(d.objectName(), QStringLiteral("ExportFileDialog"));
            TypeFileName(d, name);
        });
    }

private slots:
    void initTestCase()
    {
        QString reason;
        // Qt's dialogs in Czech, as the program's application object has them.
        QVERIFY(TApplication::LoadSystemTranslation({}));
        m_module = LoadPrintModule(QStringLiteral(MECOVNIK_PRINT_MODULE), reason);
        QVERIFY2(m_module, qPrintable(reason));
    }

    void init()
    {
        QDir home = QDir::home();
        home.removeRecursively();
        QDir().mkpath(QDir::homePath());
        m_documents = QDir::homePath() + QStringLiteral("/Documents");
        QVERIFY(QDir().mkpath(m_documents));
    }
    void cleanup() { m_form.reset(); }

    // Names, numbers and Czech letters come out of the PDF as text; a name
    // that looks like markup is shown as typed.
    void pdfShowsTheFightAsText()
    {
        TFightData fight;
        fight.Rosters[kPostavy] = {{"Ťuhýk <b>&", {7, 12, 2, 345, 44, 0}},
                                   {"Příliš žluťoučký kůň", {3, 9, 1, 1000, 0, 0}}};
        fight.Rosters[kNestvury] = {{"Skřet [2]", {5, 17, 3, 150, 4, 2}}};
        TExperienceLedger ledger;
        TLedgerRow wound = Row("Ťuhýk <b>&", 44);
        wound.Event = TLedgerEvent::Wound;
        wound.Monster = "Skřet [2]";
        wound.LivesTaken = 5;
        wound.LivesBefore = 17;
        wound.EarnedChange = wound.UnassignedChange = 44;
        ledger.Append({wound});
        // Dated and timed as the program does it, in Central European summer
        // time (the row at 19:00 UTC on 1 May 2024).
        const QString path = WritePdf(
            m_module->Pdf(MakeFightReport(
                "Jeskyně.souboj", "1. 5. 2024, 21:05", fight, ledger,
                [](std::int64_t t) { return CivilTimeText(t, 2 * 3600, TTimeStyle::Czech); })),
            QStringLiteral("boj.pdf"));
        const QStringList pages = PdfPages(path);
        QCOMPARE(pages.size(), 1);
        const QString& text = pages.first();
        for (const char* expected :
             {"Jeskyně.souboj", "1. 5. 2024, 21:05", "Postavy", "Nestvůry", "Deník zkušeností",
              "Souhrn zkušeností", "Jméno", "Životy", "Maximum", "Vyřazení", "Ťuhýk <b>&",
              "Příliš žluťoučký kůň", "Skřet [2]", "Zranění: Skřet [2],", "1. 5. 2024 21:00:00",
              "Strana 1"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The characters' rows: lives, maximum, knock-out, experience, unassigned.
        const auto line =
            QRegularExpression(QStringLiteral("Ťuhýk <b>&\\s+7\\s+12\\s+2\\s+345\\s+44"));
        QVERIFY2(text.contains(line), qPrintable(text));
        QVERIFY(
            text.contains(QRegularExpression(QStringLiteral("Skřet \\[2\\]\\s+5\\s+17\\s+150"))));
        // The summary: 44 earned, none handed over, 44 not yet.
        QVERIFY(
            text.contains(QRegularExpression(QStringLiteral("Ťuhýk <b>&\\s+44\\s+0\\s+44\\n"))));

        // A page as a picture, for the eye (kept as the documentation's).
        Tool(QStringLiteral("pdftoppm"),
             {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
              QStringLiteral("-singlefile"), path, QDir::homePath() + QStringLiteral("/strana")});
        Keep(QDir::homePath() + QStringLiteral("/strana.png"), QStringLiteral("pdf-strana.png"));
        const QImage page(QDir::homePath() + QStringLiteral("/strana.png"));
        QVERIFY(!page.isNull());
        // Portrait, with ink on it.
        QVERIFY(page.height() > page.width());
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        QVERIFY(dark > 1000);
    }

    // A long ledger goes on over pages, each with the column headings on top
    // and its number at the foot, no row lost or doubled; an empty fight is
    // its title and what each empty table says.
    void longTablesBreakAcrossPages()
    {
        TExperienceLedger ledger;
        std::vector<TLedgerRow> rows;
        constexpr int kRows = 400;
        for (int i = 0; i < kRows; ++i)
            rows.push_back(Row("Řádek" + std::to_string(i) + "x", i));
        ledger.Append(std::move(rows));
        const TFightReport report = MakeFightReport("Souboj", "dnes", {}, ledger, TimeText);
        const QStringList pages =
            PdfPages(WritePdf(m_module->Pdf(report), QStringLiteral("d.pdf")));
        QVERIFY(pages.size() >= 4);
        int next = 0;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            const QString& page = pages[p];
            QVERIFY2(page.contains(QStringLiteral("Strana %1").arg(p + 1)), qPrintable(page));
            const QRegularExpression row(QStringLiteral("Řádek(\\d+)x"));
            bool any = false;
            for (auto m = row.globalMatch(page); m.hasNext() && next < kRows;) {
                QCOMPARE(m.next().captured(1).toInt(), next);
                ++next;
                any = true;
            }
            if (any)
                QVERIFY2(
                    page.contains(QRegularExpression(QStringLiteral("Čas\\s+Postava\\s+Událost"))),
                    qPrintable(page));
        }
        QCOMPARE(next, kRows);

        const QStringList empty =
            PdfPages(WritePdf(m_module->Pdf(MakeFightReport("Souboj", "dnes", {}, {}, TimeText)),
                              QStringLiteral("e.pdf")));
        QCOMPARE(empty.size(), 1);
        for (const char* said : {"Soupiska postav je prázdná.", "Soupiska nestvůr je prázdná.",
                                 "Deník zkušeností je prázdný."})
            QVERIFY2(empty.first().contains(QString::fromUtf8(said)), said);
    }

    // The preview shows the same pages; a very long name wraps and loses
    // nothing.
    void previewShowsThePages()
    {
        TExperienceLedger ledger;
        std::vector<TLedgerRow> rows(150, Row("Bilbo", 1));
        ledger.Append(std::move(rows));
        TFightData fight;
        const std::string longName(1000, 'W');
        fight.Rosters[kPostavy] = {{longName, {1, 1, 1, 0, 0, 0}}};
        const TFightReport report = MakeFightReport("Souboj", "dnes", fight, ledger, TimeText);
        QWidget owner;
        const std::unique_ptr<QDialog> dialog = m_module->PreviewDialog(report, &owner);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Náhled před tiskem"));
        dialog->show();
        Flush();
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        QVERIFY(preview);
        QTRY_VERIFY(preview->pageCount() >= 3);
        dialog->close();

        const QStringList pages =
            PdfPages(WritePdf(m_module->Pdf(report), QStringLiteral("w.pdf")));
        QCOMPARE(pages.join(QString()).count(u'W'), 1000);
    }

    // Printing goes to the printer the dialogs set up: here its output made a
    // file, as "Tisk do souboru" makes it.
    void printsOnTheKeptPrinter()
    {
        QWidget owner;
        const std::unique_ptr<QDialog> dialog = m_module->PrintDialog(&owner);
        auto* print = qobject_cast<QPrintDialog*>(dialog.get());
        QVERIFY(print);
        const QString path = QDir::homePath() + QStringLiteral("/tisk.pdf");
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(path);
        TFightData fight;
        fight.Rosters[kNestvury] = {{"Zlobr", {9, 30, 5, 400, 6, 1}}};
        QVERIFY(m_module->PrintReport(MakeFightReport("Souboj", "dnes", fight, {}, TimeText)));
        const QString text = PdfPages(path).join(QString());
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Zlobr\\s+9\\s+30\\s+400"))));
        // A printer that cannot be opened is reported, not taken for done.
        print->printer()->setOutputFileName(QDir::homePath() + QStringLiteral("/zadna/tisk.pdf"));
        QVERIFY(!m_module->PrintReport(MakeFightReport("Souboj", "dnes", fight, {}, TimeText)));
        // The page setup works on the same printer.
        QVERIFY(
            qobject_cast<QPageSetupDialog*>(m_module->PageSetupDialog(&owner).get())->printer() ==
            print->printer());
    }

    // The Soubor menu's new items: access keys that clash with none.
    void accessKeysAreDistinct()
    {
        Start();
        QString keys;
        for (QAction* a : m_form->findChild<QMenu*>(QStringLiteral("Menu_Soubor"))->actions()) {
            const qsizetype amp = a->text().indexOf(u'&');
            if (amp < 0)
                continue;
            const QChar key = a->text().at(amp + 1).toLower();
            QVERIFY2(!keys.contains(key), qPrintable(a->text()));
            keys += key;
        }
        QCOMPARE(keys.size(), 12);
    }

    // "Exportovat do PDF..." through Qt's dialog: the fight in the rosters
    // comes out in the file; the folder is remembered; the ledger's CSV is
    // the ledger's, with its header row.
    void exportsThroughTheFileDialogs()
    {
        Start();
        NewCharacter(QStringLiteral("Žofie <i>&"));
        NewMonster(QStringLiteral("Obří pavouk"));
        Export("Item_ExportovatPdf", QStringLiteral("večer"));
        const QString pdf = m_documents + QStringLiteral("/večer.pdf");
        const QString text = PdfPages(pdf).join(QString());
        QVERIFY2(text.contains(QStringLiteral("Žofie <i>&")), qPrintable(text + pdf));
        QVERIFY(text.contains(QStringLiteral("Obří pavouk")));
        QVERIFY(text.contains(QStringLiteral("Souboj")));
        QCOMPARE(m_nastaveni->FightFolder, m_documents.toStdString());

        Export("Item_ExportovatDenikCsv", QStringLiteral("deník"));
        const QByteArray csv = Read(m_documents + QStringLiteral("/deník.csv"));
        QCOMPARE(csv,
                 QByteArray::fromStdString(LedgerCsv(
                     m_form->Fight()->Ledger(), [](std::int64_t t) { return LocalTimeText(t); })));
        QVERIFY(csv.startsWith(QByteArray("\xEF\xBB\xBF"
                                          "Čas,Postava,Událost,")));
    }

    // Files that cannot be written: said with the file and why; nothing is
    // left half-written, and what stood there stays.
    void exportFaults()
    {
        TMessageBoxRecorder boxes;
        Start();
        NewCharacter(QStringLiteral("Aragorn"));
        const QString fifo = m_documents + QStringLiteral("/roura.pdf");
        QVERIFY(test::MakeFifo(fifo));
        boxes.Answer(QMessageBox::Yes);
        Export("Item_ExportovatPdf", QStringLiteral("roura"));
        // Replacing is asked first; the FIFO is refused at once.
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Souboj nelze exportovat do souboru %1: není to obyčejný soubor.")
                     .arg(fifo));
        QCOMPARE(test::KindAt(fifo), 'p');

        {
            test::TUnwritable folder(m_documents);
            if (folder.Works()) {
                Export("Item_ExportovatDenikCsv", QStringLiteral("denik"));
                QCOMPARE(boxes.Last()->Text,
                         QStringLiteral("Deník zkušeností nelze exportovat do souboru %1: "
                                        "přístup odepřen.")
                             .arg(m_documents + QStringLiteral("/denik.csv")));
            }
        }

        // A full disk, as a file-size limit makes it: the old file stays.
        const QString old = m_documents + QStringLiteral("/stary.pdf");
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("starý");
        }
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        boxes.Answer(QMessageBox::Yes);
        Export("Item_ExportovatPdf", QStringLiteral("stary"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QCOMPARE(boxes.Last()->Text,
                 QStringLiteral("Souboj nelze exportovat do souboru %1: soubor je pro disk příliš "
                                "velký.")
                     .arg(old));
        QCOMPARE(Read(old), QByteArray("starý"));
        QCOMPARE(QDir(m_documents).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 (QStringList{QStringLiteral("roura.pdf"), QStringLiteral("stary.pdf")}));
    }

    // Without the print module each command says what it cannot do and
    // asks nothing more.
    void aMissingModuleIsSaid()
    {
        TMessageBoxRecorder boxes;
        const QString missing = QStringLiteral("/nikde/libmecovnik_print.so");
        Start(missing);
        const std::pair<const char*, QString> commands[] = {
            {"Item_Tisk", QStringLiteral("Souboj nelze vytisknout")},
            {"Item_NahledTisku", QStringLiteral("Náhled před tiskem nelze otevřít")},
            {"Item_ExportovatPdf", QStringLiteral("Souboj nelze exportovat do PDF")},
            {"Item_PrintSetup", QStringLiteral("Nastavení tiskárny nelze otevřít")},
        };
        for (const auto& [action, what] : commands) {
            Action(action).trigger();
            Flush();
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(boxes.Last()->Text,
                     QStringLiteral("%1: chybí součást programu „%2“.").arg(what, missing));
        }
        QCOMPARE(boxes.Shown().size(), 4);
    }

    // "Tisk..." (Ctrl+Shift+P: Ctrl+P stays "Nová postava") opens Qt's print
    // dialog over the kept printer, in Czech; cancelled, it prints nothing
    // and says nothing.
    void printOpensTheCzechPrintDialog()
    {
        TMessageBoxRecorder boxes;
        Start();
        QString title;
        m_dialogs.Next([&title](QDialog& d) {
            title = d.windowTitle();
            d.reject();
        });
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClick(m_form->PostavyWindow()->ListBox(), Qt::Key_P,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(m_dialogs.Answered());
        QCOMPARE(title, QStringLiteral("Tisk"));
        QVERIFY(boxes.Shown().isEmpty());
    }
};

MECOVNIK_GUI_TEST_MAIN(PrintTest)
#include "PrintTest.moc"

// Saving and opening a fight of 10,000 monsters and 6 characters through the
// main window's own paths, as the user takes them: Ctrl+S of a fight that has
// its file (the text made, written to a new file beside it, synced, renamed
// over it, the folder synced), and a dropped file opened (read, checked,
// both rosters replaced as one step of the history, the views reset and
// painted, the journal written and synced). Each should stay under 100 ms.
// The files live in a folder under the current directory (a real disk, not a
// memory file system), or in MECOVNIK_BENCH_DIR.
#include "BigFight.h"
#include "app/Frm_Main.h"
#include "app/TFightKeeper.h"
#include "components/MessageBoxes.h"
#include "components/QtText.h"
#include "history/FightFile.h"
#include "platform/TProgramResources.h"
#include "platform/TQtJournalFile.h"
#include "platform/TQtNameOrder.h"
#include "roster/TNameOrder.h"
#include "roster/TRandom.h"
#include "settings/TNastaveni.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace mecovnik;

namespace {

using bench::kMonsters;

void Paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The big fight as a file's text.
std::string BigFightText(const TNameOrder& order)
{
    return FormatFightFile(bench::BigFight(order)).value_or(std::string());
}

// The program's main window with both rosters, shown, its journal and files
// on disk.
struct TProgram
{
    QTemporaryDir Folder{qEnvironmentVariable("MECOVNIK_BENCH_DIR", QDir::currentPath()) +
                         QStringLiteral("/fight-document-bench-XXXXXX")};
    TQtJournalFile Journal{Folder.path() + QStringLiteral("/stav")};
    const TQtNameOrder Order;
    const TProgramResources Resources;
    TNastaveni Nastaveni;
    int Boxes = 0;
    TMessageBoxHook Answers{[this](const TMessageBoxRecord&) {
        ++Boxes;
        return QMessageBox::Ok;
    }};
    std::unique_ptr<TMainForm> Form;
    QString File;

    TProgram()
    {
        TMainFormServices s;
        s.QueryVersion = [] {
            return std::optional<TOsVersionInfo>(TOsVersionInfo{4, 0, 1381, 2});
        };
        s.MakeRandom = [] { return std::make_unique<TClockSeededRandom>(); };
        s.ProgramFile = QCoreApplication::applicationFilePath();
        s.RunOnlyOnce = false;
        s.Journal = &Journal;
        s.NameOrder = &Order;
        s.Resources = &Resources;
        s.FightFolder = Folder.path() + QStringLiteral("/stav");
        Form = std::make_unique<TMainForm>(Nastaveni, std::move(s));
        Form->CreateRosterWindows();
        Form->resize(1200, 800);
        Form->show();
        Paint();
        File = Folder.path() + QStringLiteral("/boj.souboj");
        const std::string text = BigFightText(Order);
        QFile out(File);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size()))
            qFatal("cannot write the fight file");
    }

    // Drops the file on the main window, as a file manager does, and lets the
    // opening run and the windows paint.
    void DropFile()
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(File)});
        const QPoint at = Form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.get(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.get(), &drop);
        Paint();
    }

    [[nodiscard]] std::size_t Monsters() const
    {
        return Form->Fight()->Fight().Rosters[kNestvury].size();
    }
};

void BM_OpenDroppedFight(benchmark::State& state)
{
    TProgram program;
    for (auto _ : state) {
        program.DropFile();
        if (program.Monsters() != kMonsters || program.Boxes != 0)
            state.SkipWithError("the fight did not open");
    }
    state.counters["file_KiB"] = static_cast<double>(QFile(program.File).size()) / 1024.0;
}
BENCHMARK(BM_OpenDroppedFight)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveFightWithCtrlS(benchmark::State& state)
{
    TProgram program;
    program.DropFile(); // the fight now has its file
    QAction* save = program.Form->findChild<QAction*>(QStringLiteral("Item_UlozitSouboj"));
    for (auto _ : state) {
        save->trigger();
        Paint();
        if (program.Boxes != 0)
            state.SkipWithError("the fight was not saved");
    }
    state.counters["file_KiB"] = static_cast<double>(QFile(program.File).size()) / 1024.0;
}
BENCHMARK(BM_SaveFightWithCtrlS)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

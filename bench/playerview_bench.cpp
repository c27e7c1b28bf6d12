// The players' view shared with a table of phones: the program's time for a
// wound (the roster row repainted, the view taken, the window repainted and
// the new view written to every viewer's event stream) with 50 viewers
// connected, which should fit in a frame (16 ms); and the memory a connected
// viewer costs the program. The viewers are a child process on loopback that
// reads its streams as phones do.
#include "platform/TQtNameOrder.h"
#include "playerview/TPlayerViewHub.h"
#include "playerview/TPlayerViewServer.h"
#include "playerview/TPlayerViewWindow.h"
#include "roster/Frm_Nestvury.h"
#include "roster/Frm_Postavy.h"
#include "roster/TNestvura.h"
#include "roster/TPostava.h"
#include "roster/TRosterModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

using namespace mecovnik;

namespace {

const std::string kToken = "abcdefghijklmnopqrstuvwx";

void Paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Waits, running the event loop, until done (at most 10 s).
template <class TDone> bool WaitFor(TDone done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        Paint();
    return done();
}

// The program's resident memory in bytes.
long Resident()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// A child process holding viewers connected to the event stream at port,
// reading whatever comes, until it is killed. Only system calls after the
// fork.
pid_t StartViewers(quint16 port, int count)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    std::vector<pollfd> fds;
    const std::string request =
        "GET /" + kToken +
        "/events HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/event-stream\r\n\r\n";
    for (int i = 0; i < count; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            _exit(1);
        if (write(fd, request.data(), request.size()) < 0)
            _exit(1);
        fds.push_back({fd, POLLIN, 0});
    }
    char buffer[65536];
    while (poll(fds.data(), fds.size(), -1) > 0)
        for (pollfd& p : fds)
            if (p.revents & POLLIN && read(p.fd, buffer, sizeof buffer) <= 0)
                _exit(0);
    _exit(0);
}

// A table's fight in shown windows, its view in the players' window, shared.
struct TTable
{
    const TQtNameOrder Order;
    QMdiArea Area;
    TPostavyWindow* Postavy = new TPostavyWindow(Order);
    TNestvuryWindow* Nestvury = new TNestvuryWindow(Order);
    std::unique_ptr<TPlayerViewHub> Hub;
    std::unique_ptr<TPlayerViewWindow> Window;
    std::unique_ptr<TPlayerViewServer> Server;

    TTable()
    {
        Area.resize(900, 700);
        Area.addSubWindow(Postavy);
        Area.addSubWindow(Nestvury);
        Area.show();
        for (int i = 0; i < 6; ++i) {
            auto c = std::make_unique<TPostava>("Postava " + std::to_string(i));
            c->MaxLives = 60;
            c->Lives = 40;
            Postavy->AddRecord(std::move(c));
        }
        for (int i = 0; i < 20; ++i) {
            auto m = std::make_unique<TNestvura>("Skřet [" + std::to_string(i) + "]");
            m->MaxLives = 18;
            m->Lives = 18;
            m->KnockOut = 2;
            Nestvury->AddRecord(std::move(m));
        }
        Hub = std::make_unique<TPlayerViewHub>(*Postavy, *Nestvury, 1);
        Window = std::make_unique<TPlayerViewWindow>(*Hub);
        Window->resize(1280, 720);
        Window->show();
        Server = std::make_unique<TPlayerViewServer>(QByteArray("<!DOCTYPE html>"), kToken,
                                                     Hub->Feed().Json());
        QObject::connect(Hub.get(), &TPlayerViewHub::ViewChanged, Server.get(),
                         [this] { Server->Publish(Hub->Feed().Json()); });
        QString failure;
        if (!Server->Listen(0, failure))
            qFatal("%s", qPrintable(failure));
        Paint();
    }
};

void BM_WoundWith50Viewers(benchmark::State& state)
{
    TTable table;
    const pid_t viewers = StartViewers(table.Server->Port(), 50);
    if (!WaitFor([&] { return table.Server->Streams() == 50; })) {
        state.SkipWithError("the viewers did not connect");
        kill(viewers, SIGKILL);
        return;
    }
    int lives = 5;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        // The wound: the first monster between unhurt and badly hurt, so
        // every round is a view the players see.
        table.Nestvury->SetLives(0, lives);
        Paint();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        lives = lives == 5 ? 18 : 5;
    }
    state.counters["viewers"] = table.Server->Streams();
    kill(viewers, SIGKILL);
    waitpid(viewers, nullptr, 0);
}
BENCHMARK(BM_WoundWith50Viewers)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_MemoryPerViewer(benchmark::State& state)
{
    TTable table;
    constexpr int kViewers = 60;
    for (auto _ : state) {
        const long before = Resident();
        const pid_t viewers = StartViewers(table.Server->Port(), kViewers);
        WaitFor([&] { return table.Server->Streams() == kViewers; });
        // A few views through every stream, as in a fight.
        for (int i = 0; i < 10; ++i) {
            table.Nestvury->SetLives(0, i % 2 ? 18 : 5);
            Paint();
        }
        const long after = Resident();
        state.counters["bytes_per_viewer"] = double(after - before) / kViewers;
        state.counters["viewers"] = table.Server->Streams();
        kill(viewers, SIGKILL);
        waitpid(viewers, nullptr, 0);
    }
}
BENCHMARK(BM_MemoryPerViewer)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// Times the start of two programs, a bare Qt one and the real one, from just
// before spawning each to the byte it writes at its first paint, and reads the
// peak memory of each from wait4.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultRounds = 20;
constexpr double kTimeoutMs = 10'000.0;
constexpr const char* kReadyFdVariable = "MECOVNIK_BENCH_READY_FD";

struct TProgram
{
    std::string Name;
    std::string Path;
    std::vector<double> StartMs;
    std::vector<double> MaxRssMiB;
};

struct TRun
{
    double StartMs = 0.0;
    double MaxRssMiB = 0.0;
};

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

void SleepMs(long ms)
{
    timespec ts{ms / 1000, (ms % 1000) * 1'000'000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

std::string ErrnoText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// A folder of its own for each child: HOME, config and runtime inside it,
// each 0700 whatever the umask, so no user file is read or written.
struct TChildHome
{
    fs::path Root;
    fs::path Home;
    fs::path Config;
    fs::path Runtime;
    fs::path Log;
};

std::optional<TChildHome> MakeChildHome(const fs::path& base, int index, std::string& error)
{
    TChildHome h;
    h.Root = base / ("run-" + std::to_string(index));
    h.Home = h.Root / "home";
    h.Config = h.Root / "config";
    h.Runtime = h.Root / "runtime";
    h.Log = h.Root / "output.log";
    for (const fs::path* dir : {&h.Root, &h.Home, &h.Config, &h.Runtime}) {
        if (mkdir(dir->c_str(), 0700) != 0 || chmod(dir->c_str(), 0700) != 0) {
            error = ErrnoText(dir->c_str());
            return std::nullopt;
        }
    }
    return h;
}

// The driver's environment with the per-child folders, the platform and the
// ready descriptor put in. Other XDG folders are dropped so that they too
// fall inside the fresh HOME.
std::vector<std::string> ChildEnvironment(const TChildHome& home, const std::string& platform,
                                          int readyFd)
{
    static constexpr std::string_view kReplaced[] = {
        "HOME",          "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME",
        "XDG_DATA_HOME", "XDG_STATE_HOME",  "QT_QPA_PLATFORM", kReadyFdVariable};
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        if (std::find(std::begin(kReplaced), std::end(kReplaced), name) == std::end(kReplaced))
            env.emplace_back(entry);
    }
    env.push_back("HOME=" + home.Home.string());
    env.push_back("XDG_CONFIG_HOME=" + home.Config.string());
    env.push_back("XDG_RUNTIME_DIR=" + home.Runtime.string());
    env.push_back("QT_QPA_PLATFORM=" + platform);
    env.push_back(std::string(kReadyFdVariable) + "=" + std::to_string(readyFd));
    return env;
}

std::string LogTail(const fs::path& log)
{
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    constexpr std::size_t kTail = 4000;
    return s.size() > kTail ? "..." + s.substr(s.size() - kTail) : s;
}

class TSpawnActions
{
public:
    TSpawnActions() { m_ok = posix_spawn_file_actions_init(&m_actions) == 0; }
    ~TSpawnActions()
    {
        if (m_ok)
            posix_spawn_file_actions_destroy(&m_actions);
    }
    TSpawnActions(const TSpawnActions&) = delete;
    TSpawnActions& operator=(const TSpawnActions&) = delete;

    [[nodiscard]] bool Ok() const { return m_ok; }
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions{};
    bool m_ok = false;
};

class TFd
{
public:
    explicit TFd(int fd = -1) : m_fd(fd) {}
    ~TFd() { Close(); }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }
    void Close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

// Waits for the ready byte until the deadline. Returns the time it arrived.
std::optional<double> WaitForReady(int fd, double deadline, std::string& error)
{
    for (;;) {
        const double left = deadline - NowMs();
        if (left <= 0.0) {
            error = "no first paint within 10 s";
            return std::nullopt;
        }
        pollfd p{fd, POLLIN, 0};
        const int n = poll(&p, 1, static_cast<int>(left) + 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = ErrnoText("poll");
            return std::nullopt;
        }
        if (n == 0)
            continue;
        char byte = 0;
        const ssize_t got = ::read(fd, &byte, 1);
        if (got == 1)
            return NowMs();
        if (got < 0 && errno == EINTR)
            continue;
        error = got == 0 ? "the program closed the ready descriptor without painting its "
                           "main window"
                         : ErrnoText("read");
        return std::nullopt;
    }
}

std::string ExitText(int status)
{
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "ended with status " + std::to_string(status);
}

// Reaps the child, killing it once the deadline has passed.
bool Reap(pid_t pid, double deadline, int& status, rusage& usage, bool& killed)
{
    killed = false;
    for (;;) {
        const pid_t r = wait4(pid, &status, WNOHANG, &usage);
        if (r == pid)
            return true;
        if (r < 0 && errno != EINTR)
            return false;
        if (NowMs() >= deadline)
            break;
        SleepMs(1);
    }
    killed = true;
    // The child leads its own process group: anything it started goes too.
    kill(-pid, SIGKILL);
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

std::optional<TRun> RunOnce(const std::string& path, const TChildHome& home,
                            const std::string& platform, std::string& error)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = ErrnoText("pipe2");
        return std::nullopt;
    }
    TFd readEnd(fds[0]);
    TFd writeEnd(fds[1]);
    // Only the write end is passed on; the read end stays with the driver.
    if (fcntl(writeEnd.Get(), F_SETFD, 0) != 0) {
        error = ErrnoText("fcntl");
        return std::nullopt;
    }

    TSpawnActions actions;
    if (!actions.Ok() ||
        posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0) !=
            0 ||
        posix_spawn_file_actions_addopen(actions.Get(), STDOUT_FILENO, home.Log.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600) != 0 ||
        posix_spawn_file_actions_adddup2(actions.Get(), STDOUT_FILENO, STDERR_FILENO) != 0) {
        error = "posix_spawn_file_actions failed";
        return std::nullopt;
    }

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        error = "posix_spawnattr_init failed";
        return std::nullopt;
    }
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<std::string> env = ChildEnvironment(home, platform, writeEnd.Get());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string argv0 = path;
    char* argv[] = {argv0.data(), nullptr};

    pid_t pid = 0;
    const double started = NowMs();
    const int spawnError =
        posix_spawn(&pid, path.c_str(), actions.Get(), &attributes, argv, envp.data());
    writeEnd.Close();
    posix_spawnattr_destroy(&attributes);
    if (spawnError != 0) {
        error = "posix_spawn " + path + ": " + std::strerror(spawnError);
        return std::nullopt;
    }
    const double deadline = started + kTimeoutMs;

    const std::optional<double> ready = WaitForReady(readEnd.Get(), deadline, error);
    int status = 0;
    rusage usage{};
    bool killed = false;
    const bool reaped = Reap(pid, deadline, status, usage, killed);
    // Whatever the child left running in its group goes with it.
    kill(-pid, SIGKILL);
    if (!reaped) {
        error = ErrnoText("wait4");
        return std::nullopt;
    }
    if (killed) {
        if (ready)
            error = "the program did not end within 10 s of its start";
        return std::nullopt;
    }
    const bool exitedWell = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ready || !exitedWell) {
        error += std::string(error.empty() ? "" : "; ") + ExitText(status);
        return std::nullopt;
    }
    // ru_maxrss is in KiB on Linux.
    return TRun{*ready - started, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

int Usage(const char* self)
{
    std::fprintf(stderr,
                 "usage: %s BARE_PROGRAM APP_PROGRAM [ROUNDS]\n"
                 "Runs each program ROUNDS times (default %d), alternating, and compares\n"
                 "the time to the first paint of the main window and the peak memory.\n"
                 "QT_QPA_PLATFORM is passed on (default offscreen).\n",
                 self, kDefaultRounds);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4)
        return Usage(argv[0]);
    int rounds = kDefaultRounds;
    if (argc == 4) {
        char* end = nullptr;
        const long n = std::strtol(argv[3], &end, 10);
        if (end == argv[3] || *end != '\0' || n < 1 || n > 10'000)
            return Usage(argv[0]);
        rounds = static_cast<int>(n);
    }
    const char* platformVariable = std::getenv("QT_QPA_PLATFORM");
    const std::string platform =
        platformVariable && *platformVariable ? platformVariable : "offscreen";

    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/mecovnik-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path base(pattern);

    std::vector<TProgram> programs{{"bare", argv[1], {}, {}}, {"app", argv[2], {}, {}}};
    std::printf("start-up to first paint, %d rounds each (after one warm-up), "
                "QT_QPA_PLATFORM=%s\n",
                rounds, platform.c_str());
    std::fflush(stdout);

    int failures = 0;
    int index = 0;
    // Round 0 warms the disk cache and is not counted.
    for (int round = 0; round <= rounds && failures == 0; ++round) {
        for (TProgram& program : programs) {
            std::string error;
            std::optional<TRun> run;
            std::optional<TChildHome> home = MakeChildHome(base, index++, error);
            if (home)
                run = RunOnce(program.Path, *home, platform, error);
            if (!run) {
                const std::string when =
                    round == 0 ? std::string("warm-up") : "round " + std::to_string(round);
                std::fprintf(stderr, "%s (%s): %s\n", program.Name.c_str(), when.c_str(),
                             error.c_str());
                if (home)
                    std::fprintf(stderr, "its output:\n%s\n", LogTail(home->Log).c_str());
                ++failures;
            } else if (round > 0) {
                program.StartMs.push_back(run->StartMs);
                program.MaxRssMiB.push_back(run->MaxRssMiB);
            }
            if (home) {
                std::error_code ignored;
                fs::remove_all(home->Root, ignored);
            }
            if (failures != 0)
                break;
        }
    }
    std::error_code ignored;
    fs::remove_all(base, ignored);
    if (failures != 0)
        return 1;

    const auto minimum = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    std::printf("%-6s %12s %10s %20s\n", "", "median ms", "min ms", "median max RSS MiB");
    for (const TProgram& p : programs)
        std::printf("%-6s %12.1f %10.1f %20.1f\n", p.Name.c_str(), Median(p.StartMs),
                    minimum(p.StartMs), Median(p.MaxRssMiB));
    const double ratio = Median(programs[1].StartMs) / Median(programs[0].StartMs);
    // Minimums are steadier than medians on a busy machine.
    const double minRatio = minimum(programs[1].StartMs) / minimum(programs[0].StartMs);
    const double rssDiff = Median(programs[1].MaxRssMiB) - Median(programs[0].MaxRssMiB);
    std::printf("app/bare start-up (medians): %.2f\n", ratio);
    std::printf("app/bare start-up (minimums): %.2f\n", minRatio);
    std::printf("app - bare max RSS (medians): %+.1f MiB\n", rssDiff);
    return 0;
}

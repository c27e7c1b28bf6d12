// Times a second start of the program: with one copy running, each further
// start must signal it and end with exit code 0. Measures from just before
// spawning to the end of the process.
// usage: second_start_driver <program> [ROUNDS]

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kDefaultRounds = 30;

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

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[i];
}

// The driver's environment with a fresh HOME, config and runtime folder; the
// platform is the caller's QT_QPA_PLATFORM, offscreen without one.
std::vector<std::string> Environment(const fs::path& root)
{
    static constexpr std::string_view kReplaced[] = {
        "HOME",          "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME",
        "XDG_DATA_HOME", "XDG_STATE_HOME",  "QT_QPA_PLATFORM"};
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        if (std::find(std::begin(kReplaced), std::end(kReplaced), name) == std::end(kReplaced))
            env.emplace_back(entry);
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    env.push_back("HOME=" + (root / "home").string());
    env.push_back("XDG_CONFIG_HOME=" + (root / "config").string());
    env.push_back("XDG_RUNTIME_DIR=" + (root / "runtime").string());
    env.push_back(std::string("QT_QPA_PLATFORM=") +
                  (platform && *platform ? platform : "offscreen"));
    return env;
}

// Starts the program; quiet drops its output (the running copy's notes on
// what the platform cannot do).
pid_t Spawn(const std::string& program, std::vector<std::string>& env, bool quiet = false)
{
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed != 0 ? -1 : pid;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: second_start_driver <program> [ROUNDS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;

    char pattern[] = "/tmp/mecovnik-second-start-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path root(pattern);
    for (const char* sub : {"home", "config", "runtime"})
        mkdir((root / sub).c_str(), 0700);
    std::vector<std::string> env = Environment(root);

    int status = 1;
    const pid_t first = Spawn(program, env, true);
    if (first < 0) {
        std::perror("posix_spawn");
        fs::remove_all(root);
        return 1;
    }
    // The first copy is up once its socket is there.
    bool listening = false;
    for (int i = 0; i < 1000 && !listening; ++i) {
        for (const auto& entry : fs::directory_iterator(root / "runtime"))
            listening = listening || entry.path().extension() == ".socket";
        if (!listening)
            SleepMs(10);
    }
    std::vector<double> times;
    if (!listening) {
        std::fprintf(stderr, "the first copy never listened\n");
    } else {
        SleepMs(500); // let its start-up finish
        status = 0;
        for (int i = 0; i < rounds; ++i) {
            const double began = NowMs();
            const pid_t pid = Spawn(program, env);
            int result = 0;
            if (pid < 0 || waitpid(pid, &result, 0) != pid || !WIFEXITED(result) ||
                WEXITSTATUS(result) != 0) {
                std::fprintf(stderr, "round %d: the second start did not end with 0\n", i + 1);
                status = 1;
                break;
            }
            times.push_back(NowMs() - began);
        }
    }
    kill(first, SIGTERM);
    waitpid(first, nullptr, 0);
    fs::remove_all(root);
    if (times.empty())
        return 1;

    std::printf("second start, %d rounds, QT_QPA_PLATFORM=%s\n", static_cast<int>(times.size()),
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen");
    std::printf("  min %.1f ms   median %.1f ms   90th percentile %.1f ms   max %.1f ms\n",
                *std::min_element(times.begin(), times.end()), Percentile(times, 0.5),
                Percentile(times, 0.9), *std::max_element(times.begin(), times.end()));
    return status;
}

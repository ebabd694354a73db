// The real ticker binary against the local quote service, run in this process: the time
// from the spawn to its first quote, its peak memory while refreshing, and the processor
// time it takes while it waits between refreshes. Offscreen, and under Xvfb when there is one.
//
// The ticker's first fetch is the service's first request, and the labels are set as soon
// as that fetch returns, so "first quote shown" is taken as the moment the service finished
// sending its first reply; refresh_bench's BM_FirstQuoteOfAFreshProgram measures what the
// ticker adds after that (reply_to_shown_us), printed here as the margin to add.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/registry.h"
#include "process_usage.h"
#include "program_folder.h"
#include "service.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kStartRuns = 10;
constexpr auto kFirstQuoteWait = 10s;
constexpr auto kMemoryRun = 3s;
constexpr auto kIdleRun = 60s;
constexpr auto kQuitWait = 5s;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The local service; remembers when it finished sending its first quote.
class FirstQuoteWatch {
public:
    FirstQuoteWatch() : service_(Options(*this)) { port_ = service_.Start(); }
    int port() const { return port_; }
    std::optional<Clock::time_point> Wait(Clock::duration limit) {
        std::unique_lock lock(mutex_);
        sent_.wait_for(lock, limit, [this] { return first_.has_value(); });
        return first_;
    }

private:
    static ServiceOptions Options(FirstQuoteWatch& watch) {
        ServiceOptions options;
        options.port = 0;
        options.on_reply = [&watch](const std::string& path) {
            const auto now = Clock::now();
            if (path != "/d/quotes.csv") return;
            std::lock_guard lock(watch.mutex_);
            if (!watch.first_) watch.first_ = now;
            watch.sent_.notify_all();
        };
        return options;
    }

    std::mutex mutex_;
    std::condition_variable sent_;
    std::optional<Clock::time_point> first_;
    QuoteService service_;  // last: stopped before what its hook touches goes
    int port_ = -1;
};

// Fresh program and settings folders for one run; removed afterwards.
class TickerFolders {
public:
    TickerFolders(int port, const std::string& interval) {
        char pattern[] = "/tmp/vesk-startup-XXXXXX";
        root_ = mkdtemp(pattern);
        std::filesystem::create_directories(home());
        WriteProgramFolder(home(), port);

        Registry registry(config() + "/vesk-ticker");
        HKEY key = 0;
        registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vesk Ticker", 0, KEY_ALL_ACCESS_LEGACY, key);
        registry.RegSetValueExA(key, "Interval", REG_SZ, reinterpret_cast<const uint8_t*>(interval.c_str()),
                                uint32_t(interval.size() + 1));
        registry.Flush();
    }
    ~TickerFolders() { std::filesystem::remove_all(root_); }
    std::string home() const { return root_ + "/home"; }
    std::string config() const { return root_ + "/config"; }
    std::string log() const { return root_ + "/ticker.log"; }

private:
    std::string root_;
};

// The parent's environment, with the named variables replaced.
class Environment {
public:
    explicit Environment(const std::vector<std::pair<std::string, std::string>>& changes) {
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            const std::string name = text.substr(0, text.find('='));
            if (std::none_of(changes.begin(), changes.end(), [&](const auto& c) { return c.first == name; }))
                texts_.push_back(text);
        }
        for (const auto& [name, value] : changes) texts_.push_back(name + "=" + value);
        for (std::string& text : texts_) pointers_.push_back(text.data());
        pointers_.push_back(nullptr);
    }
    char** get() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

// Spawns a program with its output sent to a file (or nowhere); -1 when it cannot.
pid_t Spawn(const std::vector<std::string>& argv, char** env, const std::string& output,
            int keepFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (keepFd >= 0) posix_spawn_file_actions_adddup2(&actions, keepFd, 3);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

// Ends a child with SIGTERM (SIGKILL when it does not go in time) and returns its usage.
struct Ending {
    bool clean = false;  // quit by itself on SIGTERM with status 0
    rusage usage{};
};
Ending Finish(pid_t pid) {
    Ending ending;
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + kQuitWait;
    int status = 0;
    while (wait4(pid, &status, WNOHANG, &ending.usage) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &ending.usage);
            return ending;
        }
        std::this_thread::sleep_for(10ms);
    }
    ending.clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return ending;
}

std::string PeakResident(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(file, line);)
        if (line.starts_with("VmHWM:")) return line.substr(line.find_first_not_of(" \t", 6));
    return "?";
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path);
    return {(std::istreambuf_iterator<char>(file)), {}};
}

// One ticker process against its own service and folders.
class TickerRun {
public:
    TickerRun(const std::vector<std::pair<std::string, std::string>>& display, const std::string& interval)
        : folders_(watch_.port(), interval) {
        std::vector<std::pair<std::string, std::string>> changes = display;
        changes.emplace_back("XDG_CONFIG_HOME", folders_.config());
        changes.emplace_back("VESK_TICKER_HOME", folders_.home());
        Environment env(changes);
        started_ = Clock::now();
        pid_ = Spawn({VESK_TICKER_BINARY}, env.get(), folders_.log());
    }
    ~TickerRun() {
        if (pid_ > 0 && !finished_) Finish(pid_);
    }

    pid_t pid() const { return pid_; }
    // From the spawn to the first quote sent, or nothing (and the ticker's output) in time.
    std::optional<double> FirstQuoteMs() {
        if (pid_ <= 0) return std::nullopt;
        const auto sent = watch_.Wait(kFirstQuoteWait);
        if (!sent) {
            std::fprintf(stderr, "no quote within %.0f s; the ticker said:\n%s\n",
                         Milliseconds(kFirstQuoteWait) / 1000, ReadAll(folders_.log()).c_str());
            return std::nullopt;
        }
        return Milliseconds(*sent - started_);
    }
    Ending End() {
        finished_ = true;
        return Finish(pid_);
    }

private:
    FirstQuoteWatch watch_;
    TickerFolders folders_;
    Clock::time_point started_;
    pid_t pid_ = -1;
    bool finished_ = false;
};

void PrintSpread(const char* what, std::vector<double> values, const char* unit) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("  %-34s min %8.1f  median %8.1f  max %8.1f %s  (%zu runs)\n", what, values.front(),
                median, values.back(), unit, n);
}

bool MeasureStartUp(const std::vector<std::pair<std::string, std::string>>& display) {
    std::vector<double> times;
    int unclean = 0;
    for (int run = 0; run < kStartRuns; ++run) {
        TickerRun ticker(display, "10");
        const auto ms = ticker.FirstQuoteMs();
        if (!ms) return false;
        times.push_back(*ms);
        if (!ticker.End().clean) ++unclean;
    }
    PrintSpread("start to first quote sent", times, "ms");
    if (unclean) std::printf("  (%d runs did not quit cleanly on SIGTERM and were killed)\n", unclean);
    return true;
}

void MeasureMemory(const std::vector<std::pair<std::string, std::string>>& display) {
    TickerRun ticker(display, "0");
    if (!ticker.FirstQuoteMs()) return;
    std::this_thread::sleep_for(kMemoryRun);
    const std::string hwm = PeakResident(ticker.pid());
    const Ending ending = ticker.End();
    std::printf("  peak resident, %.0f s refreshing every tick: %.1f MB (ru_maxrss; VmHWM before "
                "SIGTERM %s)%s\n",
                Milliseconds(kMemoryRun) / 1000, double(ending.usage.ru_maxrss) / 1024, hwm.c_str(),
                ending.clean ? "" : " [killed]");
}

void MeasureIdle(const std::vector<std::pair<std::string, std::string>>& display,
                 const std::string& interval, const char* what) {
    TickerRun ticker(display, interval);
    if (!ticker.FirstQuoteMs()) return;
    const double before = CpuSeconds(ticker.pid());
    const auto from = Clock::now();
    std::this_thread::sleep_for(kIdleRun);
    const double used = CpuSeconds(ticker.pid()) - before;
    const double seconds = Milliseconds(Clock::now() - from) / 1000;
    ticker.End();
    std::printf("  processor, Interval %-4s (%s): %.3f %% of one core (%.2f s over %.0f s)\n",
                interval.c_str(), what, 100 * used / seconds, used, seconds);
}

void MeasureAll(const char* platform, const std::vector<std::pair<std::string, std::string>>& display) {
    std::printf("%s\n", platform);
    std::fflush(stdout);
    if (!MeasureStartUp(display)) return;
    MeasureMemory(display);
    MeasureIdle(display, "10", "a refresh every 11 ticks");
    MeasureIdle(display, "1000", "no refresh at all");
    std::fflush(stdout);
}

// An X server of our own on a display it picks; stopped when this goes.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int pipe_fds[2];
        if (pipe(pipe_fds) != 0) return;
        fcntl(pipe_fds[0], F_SETFD, FD_CLOEXEC);
        Environment env({});
        pid_ = Spawn({"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-dpi", "96",
                      "-nolisten", "tcp"},
                     env.get(), "/dev/null", pipe_fds[1]);
        close(pipe_fds[1]);
        if (pid_ > 0) display_ = ReadDisplay(pipe_fds[0]);
        close(pipe_fds[0]);
    }
    ~VirtualDisplay() {
        if (pid_ > 0) Finish(pid_);
    }
    // ":N", or nothing when the server did not come up.
    const std::string& display() const { return display_; }

private:
    // Xvfb writes its display number once it accepts connections.
    static std::string ReadDisplay(int fd) {
        const auto deadline = Clock::now() + 10s;
        fcntl(fd, F_SETFL, O_NONBLOCK);
        std::string number;
        while (Clock::now() < deadline) {
            char c;
            const ssize_t got = read(fd, &c, 1);
            if (got == 1 && c == '\n') return ":" + number;
            if (got == 1) number += c;
            if (got == 0) break;
            if (got < 0) std::this_thread::sleep_for(5ms);
        }
        return {};
    }

    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace

int main() {
    std::printf("\"first quote sent\" is when the service finished its first reply; add the "
                "margin to the labels set, refresh_bench's BM_FirstQuoteOfAFreshProgram reply_to_shown_us\n\n");
    MeasureAll("offscreen", {{"QT_QPA_PLATFORM", "offscreen"}});
    if (access("/usr/bin/Xvfb", X_OK) != 0) {
        std::printf("\nXvfb: not installed, skipped\n");
        return 0;
    }
    VirtualDisplay xvfb;
    if (xvfb.display().empty()) {
        std::printf("\nXvfb: did not start, skipped\n");
        return 0;
    }
    std::printf("\n");
    MeasureAll(("Xvfb " + xvfb.display()).c_str(), {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", xvfb.display()}});
    return 0;
}

// The real ticker binary against a test server in this process: the time from SIGTERM to
// the process's end when idle, while a fetch waits on a server that never answers, and while
// another copy also holds the settings lock; and the resident memory and processor time
// while a server floods it with an endless response header. Offscreen; prints figures,
// asserts nothing.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/registry.h"
#include "process_usage.h"
#include "program_folder.h"
#include "support/test_http_server.h"
#include "support/wait_until.h"

namespace {

using Behaviour = TestHttpServer::Behaviour;

constexpr int kQuitRuns = 5;
constexpr int kStartWaitMs = 20000;
constexpr int kQuitWaitMs = 10000;
constexpr int kIdleBeforeSignalMs = 500;
constexpr int kFloodSeconds = 60;
constexpr int kSampleEverySeconds = 5;

const char* const kQuote = "\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,84.40,85.00,83.60,4573100\r\n";

// A field of /proc/<pid>/status, e.g. "VmRSS", in kB; -1 when absent.
long StatusKilobytes(qint64 pid, const std::string& field) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(file, line);)
        if (line.starts_with(field + ":")) return std::stol(line.substr(field.size() + 1));
    return -1;
}

// One ticker process over fresh folders, its quote host the given server.
class TickerProcess {
public:
    TickerProcess(const TestHttpServer& server,
                  const std::vector<std::pair<std::string, std::string>>& settings) {
        const std::string base = server.url("");
        WriteProgramFolder(home_.path().toStdString(), std::stoi(base.substr(base.rfind(':') + 1)));
        Registry registry(config_.filePath("vesk-ticker").toStdString());
        HKEY key = 0;
        registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vesk Ticker", 0, KEY_ALL_ACCESS_LEGACY, key);
        for (const auto& [name, value] : settings)
            registry.RegSetValueExA(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(value.c_str()),
                                    uint32_t(value.size() + 1));
        registry.RegCloseKey(key);
        registry.Flush();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VESK_TICKER_HOME", home_.path());
        env.insert("XDG_CONFIG_HOME", config_.path());
        process_.setProcessEnvironment(env);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(VESK_TICKER_BINARY, {});
        process_.waitForStarted();
    }
    ~TickerProcess() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished();
    }

    qint64 pid() const { return process_.processId(); }
    std::string SettingsFolder() const { return config_.filePath("vesk-ticker").toStdString(); }
    // Milliseconds from SIGTERM to the end, or -1 when it had to be killed.
    double Terminate() {
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(pid()), SIGTERM);
        if (!WaitUntil([this] { return process_.state() == QProcess::NotRunning; }, kQuitWaitMs))
            return -1;
        return double(clock.nsecsElapsed()) / 1e6;
    }

private:
    QTemporaryDir home_, config_;
    QProcess process_;
};

// The first `answered` quote requests get a quote, the later ones `then`.
void AnswerThen(TestHttpServer& server, size_t answered, Behaviour then) {
    server.setRoute("/d/quotes.csv", {.body = kQuote});
    server.onRequest = [&server, answered, then](const QByteArray&) {
        if (server.requestLines().size() > answered) server.setRoute("/d/quotes.csv", {.behaviour = then});
    };
}

void PrintSpread(const char* what, std::vector<double> values) {
    const auto killed = std::count(values.begin(), values.end(), -1.0);
    std::erase(values, -1.0);
    if (values.empty()) {
        std::printf("  %-40s never quit (%zd runs killed)\n", what, killed);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("  %-40s min %7.1f  median %7.1f  max %7.1f ms  (%zu runs", what, values.front(),
                values[values.size() / 2], values.back(), values.size());
    if (killed) std::printf(", %zd more never quit and were killed", killed);
    std::printf(")\n");
}

enum class SettingsLock { Free, HeldByAnotherCopy };

// SIGTERM once the request numbered `waitFor` (from 1) has reached the server.
void MeasureQuit(const char* what, size_t answered, const std::string& interval, size_t waitFor,
                 int settleMs, SettingsLock lock = SettingsLock::Free) {
    std::vector<double> times;
    for (int run = 0; run < kQuitRuns; ++run) {
        TestHttpServer server;
        AnswerThen(server, answered, Behaviour::Silent);
        TickerProcess ticker(server, {{"Interval", interval}});
        if (!WaitUntil([&] { return server.requestLines().size() >= waitFor; }, kStartWaitMs)) {
            std::printf("  %-40s the ticker never asked for its quote\n", what);
            return;
        }
        WaitUntil([] { return false; }, settleMs);
        // As another copy, stopped while it holds the settings folder's lock, does.
        const int folder = lock == SettingsLock::Free
                               ? -1
                               : ::open(ticker.SettingsFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) ::flock(folder, LOCK_EX);
        times.push_back(ticker.Terminate());
        if (folder >= 0) ::close(folder);
    }
    PrintSpread(what, times);
}

void MeasureFlood() {
    TestHttpServer server;
    AnswerThen(server, 1, Behaviour::EndlessHeader);
    TickerProcess ticker(server, {{"Interval", "0"}, {"Timeout", "1"}});
    if (!WaitUntil([&] { return server.requestLines().size() >= 2; }, kStartWaitMs)) {
        std::printf("  the ticker never asked for its second quote\n");
        return;
    }
    std::printf("  endless response header, Timeout 1 s, a refresh every tick, %d s:\n", kFloodSeconds);
    const double cpuBefore = CpuSeconds(ticker.pid());
    double cpuAtSample = cpuBefore;
    for (int second = 0; second <= kFloodSeconds; second += kSampleEverySeconds) {
        if (second > 0) WaitUntil([] { return false; }, kSampleEverySeconds * 1000);
        const double cpu = CpuSeconds(ticker.pid());
        std::printf("    %3d s  resident %7.1f MB  processor %5.1f %% of a core  requests that reached the server %zu\n",
                    second, double(StatusKilobytes(ticker.pid(), "VmRSS")) / 1024,
                    second > 0 ? 100 * (cpu - cpuAtSample) / kSampleEverySeconds : 0.0,
                    server.requestLines().size());
        std::fflush(stdout);
        cpuAtSample = cpu;
    }
    const double used = CpuSeconds(ticker.pid()) - cpuBefore;
    const double quitMs = ticker.Terminate();
    std::printf("  processor over the run: %.1f %% of a core; SIGTERM to the end after it: %.1f ms\n",
                100 * used / kFloodSeconds, quitMs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::printf("SIGTERM to the end of the process (offscreen, %d runs each)\n", kQuitRuns);
    MeasureQuit("idle, no refresh due", 1, "1000", 1, kIdleBeforeSignalMs);
    MeasureQuit("during the start-up fetch (no answer)", 0, "0", 1, 0);
    MeasureQuit("during a refresh fetch (no answer)", 1, "0", 2, 0);
    // Aim: under a second, though the exit's saves cannot take the lock.
    MeasureQuit("refresh fetch, settings lock held", 1, "0", 2, 0, SettingsLock::HeldByAnotherCopy);
    std::fflush(stdout);
    MeasureFlood();
    return 0;
}

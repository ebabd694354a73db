// One whole refresh of a loaded ticker against the local quote service on 127.0.0.1 (the
// request built, fetched, split and shown), then its parts on their own, and the first
// quote of a freshly started program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <memory>
#include <string>

#include "platform/runtime.h"
#include "support/scripted_desktop.h"
#include "program_folder.h"
#include "service.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t Now() { return Clock::now().time_since_epoch().count(); }
double Microseconds(int64_t ticks) {
    return std::chrono::duration<double, std::micro>(Clock::duration(ticks)).count();
}

constexpr const char* kReplyLine =
    "\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,84.40,85.00,83.60,4573100\r\n";

// The local service, which notes when it last finished sending a quote.
class TimedService {
public:
    TimedService() : service_(Options(lastQuoteSent_)) { port_ = service_.Start(); }
    int port() const { return port_; }
    int64_t lastQuoteSent() const { return lastQuoteSent_.load(); }

private:
    static ServiceOptions Options(std::atomic<int64_t>& sent) {
        ServiceOptions options;
        options.port = 0;
        options.on_reply = [&sent](const std::string& path) {
            if (path == "/d/quotes.csv") sent.store(Now());
        };
        return options;
    }

    std::atomic<int64_t> lastQuoteSent_{0};
    QuoteService service_;
    int port_ = -1;
};

// A program over fresh folders whose quote host is the service, refreshing at every tick.
struct LoadedProgram {
    QTemporaryDir programFolder, settingsFolder;
    ScriptedDesktop desktop;
    std::unique_ptr<Runtime> runtime;
    std::unique_ptr<Program> program;

    explicit LoadedProgram(int port) {
        const std::string home = programFolder.path().toStdString();
        WriteProgramFolder(home, port);
        runtime = std::make_unique<Runtime>(
            desktop, RuntimeFolders{home, settingsFolder.path().toStdString() + "/vesk-ticker"});
        program = std::make_unique<Program>(*runtime);
        Registry2::CreateNewKey(*runtime, HKEY_CURRENT_USER, Registry2::kMainKey);
        Registry2::CreateNewKey(*runtime, HKEY_CURRENT_USER, Registry2::kChartKey);
        Registry2::SetKeyValue(*runtime, HKEY_CURRENT_USER, Registry2::kMainKey, "Interval", "0");
    }
    ~LoadedProgram() {
        program.reset();
        runtime.reset();
    }
    Ticker& ticker() { return program->ticker(); }
};

bool ShowsAQuote(Ticker& ticker) {
    const std::string price = ticker.Label2.Caption();
    return !price.empty() && price != "Error" && price != "Loading...";
}

// First, while the process is cold: a fresh program's load, whose first quote is fetched and shown before Show returns;
// reply_to_shown_max_us is the worst time the ticker took after the service had answered.
void BM_FirstQuoteOfAFreshProgram(benchmark::State& state) {
    TimedService service;
    double afterReply = 0, worstAfterReply = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<LoadedProgram>(service.port());
        state.ResumeTiming();
        loaded->ticker().Show();
        const double after = Microseconds(Now() - service.lastQuoteSent());
        state.PauseTiming();
        if (!ShowsAQuote(loaded->ticker())) state.SkipWithError("the first load showed no quote");
        loaded.reset();
        state.ResumeTiming();
        afterReply += after;
        worstAfterReply = std::max(worstAfterReply, after);
    }
    state.counters["reply_to_shown_us"] = afterReply / double(state.iterations());
    state.counters["reply_to_shown_max_us"] = worstAfterReply;
}
BENCHMARK(BM_FirstQuoteOfAFreshProgram)->Unit(benchmark::kMillisecond)->Iterations(20);

// reply_to_shown: from the service's last byte sent to the labels set, i.e. what the ticker
// adds after the service has answered.
void BM_Refresh(benchmark::State& state) {
    TimedService service;
    LoadedProgram loaded(service.port());
    Ticker& ticker = loaded.ticker();
    ticker.Show();
    double afterReply = 0;
    for (auto _ : state) {
        ticker.Timer2_Timer();
        afterReply += Microseconds(Now() - service.lastQuoteSent());
    }
    if (!ShowsAQuote(ticker)) state.SkipWithError("the refresh showed no quote");
    state.counters["reply_to_shown_us"] = afterReply / double(state.iterations());
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMicrosecond);

double CpuMicroseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// Counts the paint events the application delivers and the pixels they cover.
class PaintCounter : public QObject {
public:
    PaintCounter() { QCoreApplication::instance()->installEventFilter(this); }
    int64_t paints = 0, pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QRect rect = static_cast<QPaintEvent*>(event)->rect();
            ++paints;
            pixels += int64_t(rect.width()) * rect.height();
        }
        return false;
    }
};

// A whole refresh cycle as a user's ticker spends it: the refresh, then the repaint it
// posts, delivered and flushed to the screen. Run it under Xvfb with QT_QPA_PLATFORM=xcb
// for the X transfer too; offscreen it paints into memory only. cpu_us counts the whole
// process (the in-process service and Qt's network thread included), ui_cpu_us the user
// interface thread alone; paints and painted_px are per cycle.
void BM_RefreshCycleCpu(benchmark::State& state) {
    TimedService service;
    LoadedProgram loaded(service.port());
    Ticker& ticker = loaded.ticker();
    ticker.Show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    double cpu = 0, uiCpu = 0;
    for (auto _ : state) {
        const double process = CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID);
        const double thread = CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID);
        ticker.Timer2_Timer();
        // The paint is a posted event; a second pass delivers what the first one posted.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        cpu += CpuMicroseconds(CLOCK_PROCESS_CPUTIME_ID) - process;
        uiCpu += CpuMicroseconds(CLOCK_THREAD_CPUTIME_ID) - thread;
    }
    if (!ShowsAQuote(ticker)) state.SkipWithError("the refresh showed no quote");
    const double cycles = double(state.iterations());
    state.counters["cpu_us"] = cpu / cycles;
    state.counters["ui_cpu_us"] = uiCpu / cycles;
    state.counters["paints"] = double(counter.paints) / cycles;
    state.counters["painted_px"] = double(counter.pixels) / cycles;
    state.SetLabel(QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_RefreshCycleCpu)->Unit(benchmark::kMicrosecond);

void BM_FetchAlone(benchmark::State& state) {
    TimedService service;
    LoadedProgram loaded(service.port());
    Ticker& ticker = loaded.ticker();
    ticker.Show();
    const std::string url = loaded.program->quoteGet.QuoteURL;
    for (auto _ : state) benchmark::DoNotOptimize(ticker.inetQuotes.OpenURL(url));
}
BENCHMARK(BM_FetchAlone)->Unit(benchmark::kMicrosecond);

void BM_SplitQuoteLine(benchmark::State& state) {
    TimedService service;
    LoadedProgram loaded(service.port());
    QuoteGet& quotes = loaded.program->quoteGet;
    for (auto _ : state) {
        std::string reply = kReplyLine;
        quotes.SplitQuoteLine(reply);
        benchmark::DoNotOptimize(quotes.QuoteFields);
    }
}
BENCHMARK(BM_SplitQuoteLine);

// The caption work of a refresh outside the fetch: the labels reset for the next symbol and
// the cursor moved on; the repaints they cause are left to the loop, as in a refresh.
void BM_RequestAndNextSymbol(benchmark::State& state) {
    TimedService service;
    LoadedProgram loaded(service.port());
    loaded.ticker().Show();
    QuoteGet& quotes = loaded.program->quoteGet;
    for (auto _ : state) {
        quotes.BuildQuoteRequest();
        quotes.PrepareQuoteSymbol();
    }
}
BENCHMARK(BM_RequestAndNextSymbol)->Unit(benchmark::kMicrosecond);

}  // namespace

// Dragging the ticker with a real pointer on a real X display (Xvfb will do): the pointer
// is pressed on the skin and moved at 125 Hz through the XTEST extension, as a mouse
// would, and the figures are the X requests the ticker sends per drag step and the CPU
// that the ticker and the X server spend. Alone, and with a docked chart window carried.
//
//   Xvfb :76 -screen 0 1280x1024x24 & DISPLAY=:76 build/release/tests/benchmarks/drag_bench
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "charts/charts.h"
#include "docking/show_contents.h"
#include "platform/qt/qt_desktop.h"
#include "platform/runtime.h"
#include "program_folder.h"
#include "settings/registry2.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace {

constexpr int kPointerHz = 125;
constexpr int kSteps = 500;  // four seconds of dragging

// The pointer, driven through XTEST on a connection of its own, so that its requests are
// not the ticker's. Loaded at run time: only the libraries are needed, not their headers.
class FakePointer {
public:
    FakePointer() {
        x11_ = dlopen("libX11.so.6", RTLD_NOW);
        xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11_ || !xtst_) return;
        auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11_, "XOpenDisplay"));
        flush_ = reinterpret_cast<int (*)(void*)>(dlsym(x11_, "XFlush"));
        close_ = reinterpret_cast<int (*)(void*)>(dlsym(x11_, "XCloseDisplay"));
        motion_ = reinterpret_cast<int (*)(void*, int, int, int, unsigned long)>(
            dlsym(xtst_, "XTestFakeMotionEvent"));
        button_ = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(
            dlsym(xtst_, "XTestFakeButtonEvent"));
        if (open && flush_ && close_ && motion_ && button_) display_ = open(nullptr);
    }
    ~FakePointer() {
        if (display_) close_(display_);
        if (xtst_) dlclose(xtst_);
        if (x11_) dlclose(x11_);
    }
    bool ok() const { return display_ != nullptr; }
    void MoveTo(int x, int y) {
        motion_(display_, -1, x, y, 0);
        flush_(display_);
    }
    void Left(bool down) {
        button_(display_, 1, down ? 1 : 0, 0);
        flush_(display_);
    }

private:
    void *x11_ = nullptr, *xtst_ = nullptr, *display_ = nullptr;
    int (*flush_)(void*) = nullptr;
    int (*close_)(void*) = nullptr;
    int (*motion_)(void*, int, int, int, unsigned long) = nullptr;
    int (*button_)(void*, unsigned, int, unsigned long) = nullptr;
};

// The requests this process has sent on Qt's connection so far.
uint32_t RequestsSent() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return 0;
    // A no-op costs one request of its own; its sequence number counts the others.
    return xcb_no_operation(connection).sequence;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The X server's CPU, found by the lock file of the display: /tmp/.X<n>-lock holds its pid.
double ServerCpuSeconds() {
    std::string display = qEnvironmentVariable("DISPLAY").toStdString();
    size_t colon = display.find(':');
    if (colon == std::string::npos) return -1;
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    std::ifstream lock("/tmp/.X" + number + "-lock");
    long pid = 0;
    if (!(lock >> pid)) return -1;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    size_t close = line.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoll(field);
        if (i == 15) stime = std::stoll(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

void RunEvents(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

struct ProgramOnDisplay {
    QTemporaryDir programFolder, settingsFolder;
    QtDesktop desktop;
    std::unique_ptr<Runtime> runtime;
    std::unique_ptr<Program> program;

    ProgramOnDisplay() {
        const std::string home = programFolder.path().toStdString();
        // No quote host answers: the drag is measured, not the quotes.
        WriteProgramFolder(home, 9);
        runtime = std::make_unique<Runtime>(
            desktop, RuntimeFolders{home, settingsFolder.path().toStdString() + "/vesk-ticker"});
        program = std::make_unique<Program>(*runtime);
        for (auto key : {Registry2::kMainKey, Registry2::kChartKey})
            Registry2::CreateNewKey(*runtime, HKEY_CURRENT_USER, key);
        auto store = [this](const char* name, const char* value) {
            Registry2::SetKeyValue(*runtime, HKEY_CURRENT_USER, Registry2::kMainKey, name, value);
        };
        store("Height", "Shade");
        store("Left", "1500");
        store("Top", "1500");
        store("Interval", "3600");
    }
    ~ProgramOnDisplay() {
        program.reset();
        runtime.reset();
    }
};

// One drag across the screen and back, the pointer stepping 3 px at 125 Hz.
void DragAtPointerRate(benchmark::State& state, bool withCharts) {
    FakePointer pointer;
    if (!qGuiApp || QGuiApplication::platformName() != "xcb" || !pointer.ok()) {
        state.SkipWithError("needs an X display with XTEST (run under Xvfb with DISPLAY set)");
        return;
    }
    ProgramOnDisplay run;
    Ticker& ticker = run.program->ticker();
    ticker.Show();
    if (withCharts) {
        Charts& charts = run.program->charts();
        charts.Show();
        run.program->showContents.Docked = true;
    }
    RunEvents(500);
    QWidget* skin = ticker.picSkin.Widget();
    QPoint grab = skin->mapToGlobal(QPoint(20, 6));

    for (auto _ : state) {
        pointer.MoveTo(grab.x(), grab.y());
        RunEvents(100);
        pointer.Left(true);
        RunEvents(100);
        int step = 0;
        uint32_t requestsBefore = RequestsSent();
        double cpuBefore = ProcessCpuSeconds(), serverBefore = ServerCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer pace;
        pace.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pace, &QTimer::timeout, &loop, [&] {
            int offset = step < kSteps / 2 ? step : kSteps - step;
            pointer.MoveTo(grab.x() + 3 * offset, grab.y() + 2 * offset);
            if (++step == kSteps) {
                pace.stop();
                loop.quit();
            }
        });
        pace.start(1000 / kPointerHz);
        loop.exec();
        RunEvents(50);
        double seconds = double(wall.nsecsElapsed()) / 1e9;
        uint32_t requests = RequestsSent() - requestsBefore - 1;
        double cpu = ProcessCpuSeconds() - cpuBefore;
        double server = ServerCpuSeconds() - serverBefore;
        pointer.Left(false);
        RunEvents(100);
        state.counters["steps"] = step;
        state.counters["x_requests_per_step"] = double(requests) / step;
        state.counters["ticker_cpu_percent"] = 100 * cpu / seconds;
        if (server >= 0) state.counters["xserver_cpu_percent"] = 100 * server / seconds;
    }
}

void BM_DragTicker(benchmark::State& state) { DragAtPointerRate(state, false); }
void BM_DragTickerWithDockedCharts(benchmark::State& state) { DragAtPointerRate(state, true); }

BENCHMARK(BM_DragTicker)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragTickerWithDockedCharts)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Without a display the application cannot start; the benchmarks then say so.
    std::unique_ptr<QApplication> application;
    if (!qEnvironmentVariable("DISPLAY").isEmpty()) application = std::make_unique<QApplication>(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

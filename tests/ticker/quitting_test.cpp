// The program always quits, and saves, while a quote fetch waits on a server that never
// answers: on a terminating signal (the real binary in a process of its own) and when its
// last window closes (in this process, on the real message loop).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "charts/charts.h"
#include "platform/core/registry.h"
#include "settings/registry2.h"
#include "settings/stock_record.h"
#include "support/silent_name_server.h"
#include "support/ticker_fixture.h"
#include "support/wait_until.h"
#include "symbols/symbol_editor.h"
#include "ticker/config.h"
#include "ticker/start_up.h"
#include "ticker/ticker.h"

namespace {

using Behaviour = TestHttpServer::Behaviour;

constexpr int kStartWaitMs = 30000;  // a sanitised build starts slowly
constexpr int kQuitLimitMs = 2000;
constexpr int kQuitBehindLookupLimitMs = 1000;
constexpr const char* kMainKey = "Software\\Vesk Ticker";

// The first `answered` quote requests get a quote; every later one waits for ever.
void AnswerThenStall(TestHttpServer& server, size_t answered) {
    server.setRoute("/d/quotes.csv", {.body = "\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,"
                                              "84.40,85.00,83.60,4573100\r\n"});
    server.onRequest = [&server, answered](const QByteArray&) {
        if (server.requestLines().size() > answered)
            server.setRoute("/d/quotes.csv", {.behaviour = Behaviour::Silent});
    };
}

// Which signals the process catches, from its status in /proc; none before it runs.
uint64_t CaughtSignals(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("SigCgt:")) return line.mid(7).trimmed().toULongLong(nullptr, 16);
    return 0;
}

struct Case {
    const char* fetch;
    size_t answered;  // quote requests answered before the one the quit comes in
    int signal;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.fetch; }

class SignalQuitTest : public ::testing::TestWithParam<Case> {
protected:
    SignalQuitTest() {
        const std::string port = std::to_string(QUrl(server.url("/").c_str()).port());
        Write(home, "vesk-ticker.conf", "[Hosts]\nQuoteHost=127.0.0.1:" + port + "\n");
        std::string symbols;
        for (const char* symbol : {"IBM", "MSFT"}) {
            const StockRecord record = StockRecord::From(symbol, symbol);
            symbols.append(record.bytes.data(), record.bytes.size());
        }
        Write(home, "stockdata.std", symbols);
        // Far off the screen: only the exit's save writes the clamped place back.
        Store({{"Interval", "0"}, {"Height", "Shade"}, {"Left", "-5000"}, {"Top", "-5000"}});
    }
    ~SignalQuitTest() override {
        if (ticker.state() != QProcess::NotRunning) {
            ticker.kill();
            ticker.waitForFinished();
        }
    }

    static void Write(const QTemporaryDir& dir, const std::string& name, const std::string& bytes) {
        QFile file(dir.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    std::string settingsFolder() const { return config.filePath("vesk-ticker").toStdString(); }
    void Store(std::vector<std::pair<std::string, std::string>> values,
               std::string_view keyPath = kMainKey) {
        Registry registry(settingsFolder());
        HKEY key = 0;
        registry.RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_ALL_ACCESS_LEGACY, key);
        for (const auto& [name, value] : values)
            registry.RegSetValueExA(key, name, REG_SZ,
                                    reinterpret_cast<const uint8_t*>(value.c_str()),
                                    uint32_t(value.size() + 1));
        registry.RegCloseKey(key);
    }
    std::string Stored(const char* name, std::string_view keyPath = kMainKey) {
        Registry registry(settingsFolder());
        const StoredValue value = ReadStored(registry, keyPath, name);
        return value.found ? std::string(value.bytes.c_str()) : "(missing)";
    }

    void Start(QStringList command = {VESK_TICKER_BINARY}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VESK_TICKER_HOME", home.path());
        env.insert("XDG_CONFIG_HOME", config.path());
        ticker.setProcessEnvironment(env);
        ticker.setProcessChannelMode(QProcess::ForwardedChannels);
        const QString program = command.takeFirst();
        ticker.start(program, command);
        ASSERT_TRUE(ticker.waitForStarted());
    }
    // Starts the ticker and waits for its quote request after the first `answered`.
    [[nodiscard]] bool StartAndAwaitQuote(size_t answered) {
        AnswerThenStall(server, answered);
        Start();
        return WaitUntil([&] { return server.requestLines().size() > answered; }, kStartWaitMs);
    }
    // Starts the ticker and waits until it has taken over SIGTERM.
    [[nodiscard]] bool StartAndAwaitItsSignalHandler() {
        Start();
        const qint64 pid = ticker.processId();
        return WaitUntil([&] { return CaughtSignals(pid) & (1u << (SIGTERM - 1)); }, kStartWaitMs);
    }
    // Sends the signal; the ticker must end by itself, normally, within the quit limit.
    void ExpectNormalEndOn(int signal, int limitMs = kQuitLimitMs) {
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(ticker.processId()), signal);
        const bool ended =
            WaitUntil([&] { return ticker.state() == QProcess::NotRunning; }, limitMs);
        ASSERT_TRUE(ended) << "still running " << clock.elapsed() << " ms after the signal";
        EXPECT_EQ(ticker.exitStatus(), QProcess::NormalExit);
    }

    TestHttpServer server;
    QTemporaryDir home, config;
    QProcess ticker;
};

TEST_P(SignalQuitTest, QuitsAndSavesWhileAFetchWaits) {
    const Case c = GetParam();
    ASSERT_TRUE(StartAndAwaitQuote(c.answered)) << "the ticker never asked for its quote";
    ExpectNormalEndOn(c.signal);
    EXPECT_EQ(ticker.exitCode(), 0);
    EXPECT_EQ(Stored("Left"), "0");
    EXPECT_EQ(Stored("Top"), "0");
    EXPECT_EQ(Stored("Height"), "Shade");
}

// Another copy holds the settings lock and does not let go (stopped, say): the exit's saves
// wait for no lock, and the program still ends in time.
TEST_P(SignalQuitTest, QuitsWhileAnotherCopyHoldsTheSettings) {
    const Case c = GetParam();
    ASSERT_TRUE(StartAndAwaitQuote(c.answered)) << "the ticker never asked for its quote";
    const int folder = ::open(settingsFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    ExpectNormalEndOn(c.signal);
    ::close(folder);
}

// A quit that closed the windows in whatever order Qt lists them would often close the chart
// window before the ticker saves it. Every run, at start-up or at a refresh, saves it open.
TEST_F(SignalQuitTest, SavesTheChartWindowOpenAtTheSignalAsOpen) {
    const int quitSignals[] = {SIGTERM, SIGINT, SIGHUP};
    for (int run = 0; run < 10; ++run) {
        Store({{"StartUp", "True"}}, Registry2::kChartKey);
        const size_t answered = server.requestLines().size() + size_t(run % 2);
        ASSERT_TRUE(StartAndAwaitQuote(answered)) << "run " << run;
        ExpectNormalEndOn(quitSignals[run % 3]);
        EXPECT_EQ(Stored("StartUp", Registry2::kChartKey), "True") << "run " << run;
    }
}

INSTANTIATE_TEST_SUITE_P(Fetches, SignalQuitTest,
                         ::testing::Values(Case{"StartUpSigterm", 0, SIGTERM},
                                           Case{"StartUpSigint", 0, SIGINT},
                                           Case{"RefreshSigterm", 1, SIGTERM},
                                           Case{"RefreshSighup", 1, SIGHUP}),
                         [](const auto& test) { return std::string(test.param.fetch); });

// The box about a bad vesk-ticker.conf comes before any window and runs the first event
// loop, so the signal is taken inside it; it must end the box, not wait for its OK.
TEST_F(SignalQuitTest, QuitsWhileAStartUpMessageBoxWaits) {
    const std::string port = std::to_string(QUrl(server.url("/").c_str()).port());
    Write(home, "vesk-ticker.conf",
          "[Hosts]\nQuoteHost=127.0.0.1:" + port + "\nMakerHost=not a host\n");
    ASSERT_TRUE(StartAndAwaitItsSignalHandler()) << "the ticker never took over SIGTERM";
    ExpectNormalEndOn(SIGTERM);
    EXPECT_EQ(ticker.exitCode(), 0);
    EXPECT_TRUE(server.requestLines().empty());  // no ticker came up after the box
}

// The box that says another copy holds the settings comes from loading them, before any
// window: a quit ends it too, and the program ends as an exit does, not killed.
TEST_F(SignalQuitTest, QuitsWhileTheBoxAboutAHeldSettingsFileWaits) {
    const int folder = ::open(settingsFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    ASSERT_TRUE(StartAndAwaitItsSignalHandler()) << "the ticker never took over SIGTERM";
    ExpectNormalEndOn(SIGTERM);
    ::close(folder);
    EXPECT_EQ(ticker.exitCode(), 0);
    EXPECT_TRUE(server.requestLines().empty());  // no ticker came up after the box
}

// The quote host's name server never answers: the quit must not wait for the lookup, which
// only the resolver's own time-out would end.
TEST_F(SignalQuitTest, QuitsWhileTheQuoteHostsLookupHangs) {
    Write(home, "vesk-ticker.conf", "[Hosts]\nQuoteHost=quotes.example.invalid\n");
    Start(BehindSilentNameServer({VESK_TICKER_BINARY}));
    const qint64 pid = ticker.processId();
    const bool asked = WaitUntil(
        [&] { return ticker.state() == QProcess::NotRunning || NameServerAsked(pid); }, kStartWaitMs);
    ASSERT_TRUE(asked) << "the ticker never looked its quote host up";
    if (NameServerCouldNotBeHidden(ticker))
        GTEST_SKIP() << "no mount and network namespace to hide the name server in";
    ExpectNormalEndOn(SIGTERM, kQuitBehindLookupLimitMs);
    EXPECT_EQ(ticker.exitCode(), 0);
    EXPECT_EQ(Stored("Left"), "0");
    EXPECT_EQ(Stored("Top"), "0");
}

// The sockets that carry a signal to the message loop: a write never blocks the handler, and
// neither end reaches a program the ticker starts (the browser).
TEST_F(SignalQuitTest, NoSocketBlocksASignalOrReachesAStartedProgram) {
    AnswerThenStall(server, 1);
    ASSERT_TRUE(StartAndAwaitItsSignalHandler()) << "the ticker never took over SIGTERM";
    const qint64 pid = ticker.processId();
    const QString fds = QString("/proc/%1/fd").arg(pid);
    int sockets = 0;
    for (const QString& fd : QDir(fds).entryList(QDir::NoDotAndDotDot | QDir::System)) {
        if (!QFile::symLinkTarget(fds + "/" + fd).contains("socket:")) continue;
        QFile info(QString("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        ASSERT_TRUE(info.open(QIODevice::ReadOnly));
        const QByteArray text = info.readAll();
        const int start = text.indexOf("flags:") + 6;
        const int flags = text.mid(start, text.indexOf('\n', start) - start).trimmed().toInt(nullptr, 8);
        EXPECT_TRUE(flags & O_CLOEXEC) << "socket " << fd.toStdString();
        EXPECT_TRUE(flags & O_NONBLOCK) << "socket " << fd.toStdString();
        ++sockets;
    }
    EXPECT_GE(sockets, 2);  // the signal's pair at least
}

// Closing the ticker, the only window, during its fetch ends the message loop.
class LastWindowQuitTest : public TickerTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(LastWindowQuitTest, ClosingTheLastWindowDuringAFetchEndsTheLoop) {
    const size_t answered = GetParam();
    WriteSymbols({{"IBM", "International Business Machines"}, {"MSFT", "Microsoft"}});
    Start();
    Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey);
    Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, "Interval", "0");
    AnswerThenStall(server, answered);
    QObject context;
    std::function<void(const QByteArray&)> stall = server.onRequest;
    server.onRequest = [&, stall](const QByteArray& line) {
        stall(line);
        if (server.requestLines().size() <= answered) return;
        QTimer::singleShot(0, &context, [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible()) window->close();
        });
    };

    EXPECT_EQ(runtime().RunMessageLoop([this] { StartUp::Main(program()); }), 0);
    EXPECT_TRUE(runtime().Forms().empty());
    EXPECT_EQ(server.requestLines().size(), answered + 1);
}

INSTANTIATE_TEST_SUITE_P(Fetches, LastWindowQuitTest, ::testing::Values(0u, 1u),
                         [](const auto& test) {
                             return test.param == 0 ? "StartUp" : "Refresh";
                         });

// With the chart window open, a quit from the message loop saves it as open. Qt lists the
// windows in no fixed order, the one its own quit would close them in: the rounds go on
// until the quit has met the chart window listed both before and after the ticker. The
// Symbol Manager and the Configuration dialog, open as well, do not hold the quit.
class ChartsOpenQuitTest : public TickerTest {
protected:
    static bool ListedBefore(const QWidget* first, const QWidget* second) {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window == first) return true;
            if (window == second) return false;
        }
        return false;
    }
};

TEST_F(ChartsOpenQuitTest, SavesTheChartWindowOpenWhicheverWayTheWindowsAreListed) {
    WriteSymbols({{"IBM", "International Business Machines"}});
    std::set<bool> ordersMet;
    for (int round = 0; round < 40 && ordersMet.size() < 2; ++round) {
        Start();
        Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey);
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, "StartUp",
                               "True");
        QObject context;
        bool chartsFirst = false;
        EXPECT_EQ(runtime().RunMessageLoop([&] {
            StartUp::Main(program());
            for (Form* window : {static_cast<Form*>(&program().symbolEditor()),
                                 static_cast<Form*>(&program().config())}) {
                window->Show();
                EXPECT_TRUE(window->Visible()) << window->Name();
            }
            QTimer::singleShot(0, &context, [&] {
                chartsFirst = ListedBefore(program().charts().picTop.Widget()->window(),
                                           program().ticker().picSkin.Widget()->window());
                runtime().Quit();
            });
        }), 0);
        EXPECT_TRUE(runtime().Forms().empty());
        ordersMet.insert(chartsFirst);
        Start();  // the next start
        const StoredValue startUp =
            ReadStored(runtime().registry(), Registry2::kChartKey, "StartUp");
        EXPECT_EQ(std::string(startUp.bytes.c_str()), "True")
            << (chartsFirst ? "chart window" : "ticker") << " listed first";
    }
    EXPECT_EQ(ordersMet.size(), 2u);
}

}  // namespace

#include "platform/inet.h"

#include "tests/support/silent_name_server.h"
#include "tests/support/test_http_server.h"
#include "tests/support/wait_until.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Route = TestHttpServer::Route;
using Behaviour = TestHttpServer::Behaviour;

constexpr int kWatchdogMs = 15000;

// Cancels a fetch that runs far longer than it should, and fails the test for it.
class Watchdog {
public:
    explicit Watchdog(Inet& inet) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this, &inet] {
            fired_ = true;
            inet.Cancel();
        });
        timer_.start(kWatchdogMs);
    }
    ~Watchdog() { EXPECT_FALSE(fired_) << "the fetch did not end by itself"; }

private:
    QTimer timer_;
    bool fired_ = false;
};

// Runs action once, from the event loop, after delayMs.
class Later {
public:
    Later(int delayMs, std::function<void()> action) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(action));
        timer_.start(delayMs);
    }

private:
    QTimer timer_;
};

// Answers every request with bytes exactly as given, for replies the test server does not
// make; the connection then stays open unless the reply is to end with it.
class RawServer {
public:
    RawServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) answer(socket);
        });
    }

    void setReply(QByteArray reply, bool closes) {
        reply_ = std::move(reply);
        closes_ = closes;
    }
    std::string url() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/raw";
    }

private:
    void answer(QTcpSocket* socket) {
        auto request = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            if (request->contains("\r\n\r\n")) return;  // answered already
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n")) return;
            socket->write(reply_);
            if (closes_) socket->disconnectFromHost();
        });
    }

    QTcpServer server_;  // owns the sockets, so that a connection held open lasts the test
    QByteArray reply_;
    bool closes_ = false;
};

class InetTest : public ::testing::Test {
protected:
    InetTest() {
        inet.setRequestTimeout(10);
        inet.OnStateChanged = [this](int16_t state) { states.push_back(state); };
    }

    std::string fetch(const std::string& url) {
        Watchdog watchdog(inet);
        return inet.OpenURL(url);
    }

    void expectFailed(const std::string& reply) {
        EXPECT_EQ(reply, "");
        EXPECT_TRUE(inet.LastFetchFailed());
        ASSERT_FALSE(states.empty());
        EXPECT_EQ(states.back(), InetState::icError);
        EXPECT_EQ(std::count(states.begin(), states.end(), InetState::icError), 1);
    }

    TestHttpServer server;
    Inet inet;
    std::vector<int16_t> states;
};

const std::vector<int16_t> kCompletedStates = {InetState::icConnecting, InetState::icRequesting,
                                               InetState::icReceivingResponse,
                                               InetState::icResponseCompleted};

TEST_F(InetTest, TextAndBytesArriveExactlyAsSent) {
    const QByteArray line = "\"IBM\",101.25,\"6/1/2001\",\"4:01pm\",+1.5,100,102,99.5,1200\r\n";
    QByteArray binary;
    for (int i = 0; i < 1024; ++i) binary += static_cast<char>(i % 256);
    server.setRoute("/d/quotes.csv", {.body = line});
    server.setRoute("/chart.gif", {.body = binary});

    EXPECT_EQ(fetch(server.url("/d/quotes.csv?s=IBM")), line.toStdString());
    EXPECT_FALSE(inet.LastFetchFailed());
    EXPECT_EQ(states, kCompletedStates);

    Watchdog watchdog(inet);
    const std::vector<uint8_t> bytes = inet.OpenURLBytes(server.url("/chart.gif"));
    EXPECT_EQ(bytes, std::vector<uint8_t>(binary.begin(), binary.end()));
    EXPECT_FALSE(inet.StillExecuting());
}

TEST_F(InetTest, BodyWithoutLengthEndsWithTheConnection) {
    server.setRoute("/v", {.body = "4.01\r\n", .declareLength = false});
    EXPECT_EQ(fetch(server.url("/v")), "4.01\r\n");
}

Route chunked(const QByteArray& chunks) {
    return {.body = chunks, .headers = "Transfer-Encoding: chunked\r\n", .declareLength = false};
}

TEST_F(InetTest, ChunkedBodyIsReassembled) {
    server.setRoute("/v", chunked("4;part=1\r\n4.01\r\n2\r\n\r\n\r\n0\r\nX-Sum: 1\r\n\r\n"));
    EXPECT_EQ(fetch(server.url("/v")), "4.01\r\n");
    EXPECT_EQ(states, kCompletedStates);

    // Chunks larger than one read, and lines split between reads.
    QByteArray large, chunks;
    for (int i = 0; i < 20; ++i) {
        const QByteArray chunk(100'003, char('a' + i));
        large += chunk;
        chunks += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
    }
    server.setRoute("/large", chunked(chunks + "0\r\n\r\n"));
    EXPECT_EQ(fetch(server.url("/large")), large.toStdString());
}

// A reset is not an end of the reply, whatever frames its body.
TEST_F(InetTest, ResetBeforeTheBodyEndsIsAFailedFetch) {
    const QByteArray part = "\"IBM\",84.5";
    server.setRoute("/close", {.behaviour = Behaviour::Reset, .body = part, .declareLength = false});
    server.setRoute("/sized", {.behaviour = Behaviour::Reset, .body = part,
                               .headers = "Content-Length: 100\r\n", .declareLength = false});
    Route cutChunks = chunked("40\r\n" + part);
    cutChunks.behaviour = Behaviour::Reset;
    server.setRoute("/chunked", cutChunks);
    for (const char* path : {"/close", "/sized", "/chunked"}) {
        SCOPED_TRACE(path);
        states.clear();
        expectFailed(fetch(server.url(path)));
    }
}

// A flood of header lines must end the fetch and leave no connection to the host behind,
// so that the next request reaches it.
TEST_F(InetTest, EndlessHeaderFailsAndLaterRequestsAreAnswered) {
    inet.setRequestTimeout(2);
    server.setRoute("/flood", {.behaviour = Behaviour::EndlessHeader});
    server.setRoute("/ok", {.body = "fine"});
    expectFailed(fetch(server.url("/flood")));
    EXPECT_TRUE(WaitUntil([this] { return server.openConnections() == 0; }, kWatchdogMs));
    states.clear();
    EXPECT_EQ(fetch(server.url("/ok")), "fine");
    EXPECT_EQ(states, kCompletedStates);
}

TEST_F(InetTest, EmptyBodyIsAReplyNotAFailure) {
    server.setRoute("/empty", {});
    EXPECT_EQ(fetch(server.url("/empty")), "");
    EXPECT_FALSE(inet.LastFetchFailed());
    EXPECT_EQ(states, kCompletedStates);
}

TEST_F(InetTest, RequestIsAPlainGetOfTheGivenPathAndQuery) {
    server.setRoute("/d/quotes.csv", {.body = "x,y"});
    fetch(server.url("/d/quotes.csv?s=^DJI&f=sl1d1t1c1ohgv&e=.csv"));
    ASSERT_EQ(server.requestLines().size(), 1u);
    EXPECT_EQ(server.requestLines()[0],
              "GET /d/quotes.csv?s=%5EDJI&f=sl1d1t1c1ohgv&e=.csv HTTP/1.1");
}

TEST_F(InetTest, FailedRequestsGiveEmptyAndRaiseError) {
    server.setRoute("/missing", {.status = 404, .body = "not here"});
    server.setRoute("/broken", {.status = 500, .body = "oops"});
    server.setRoute("/drop", {.behaviour = Behaviour::Drop});
    server.setRoute("/bad-chunk", chunked("zz\r\n4.01\r\n0\r\n\r\n"));
    server.setRoute("/unended-chunks", chunked("4\r\n4.01\r\n"));
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()) + "/x";
    for (const std::string& url :
         {server.url("/missing"), server.url("/broken"), server.url("/drop"),
          server.url("/bad-chunk"), server.url("/unended-chunks"), refused}) {
        SCOPED_TRACE(url);
        states.clear();
        expectFailed(fetch(url));
        EXPECT_FALSE(inet.StillExecuting());
    }
}

TEST_F(InetTest, RepliesThatDoNotFinishInTimeEndAtTheTimeOut) {
    inet.setRequestTimeout(1);
    server.setRoute("/slow", {.body = "late", .delayMs = 5000});
    server.setRoute("/trickle", {.behaviour = Behaviour::Trickle});
    for (const char* path : {"/slow", "/trickle"}) {
        SCOPED_TRACE(path);
        states.clear();
        expectFailed(fetch(server.url(path)));
        EXPECT_TRUE(WaitUntil([this] { return server.openConnections() == 0; }, kWatchdogMs));
    }
}

TEST_F(InetTest, ZeroTimeOutStillWaitsForTheReply) {
    inet.setRequestTimeout(0);
    server.setRoute("/slow", {.body = "late", .delayMs = 300});
    EXPECT_EQ(fetch(server.url("/slow")), "late");
}

TEST_F(InetTest, CancelFromTheErrorEventEndsTheFetch) {
    bool executingAtError = false;
    inet.OnStateChanged = [&](int16_t state) {
        states.push_back(state);
        if (state != InetState::icError) return;
        executingAtError = inet.StillExecuting();
        inet.Cancel();
    };
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()) + "/x";
    expectFailed(fetch(refused));
    EXPECT_TRUE(executingAtError);
    EXPECT_FALSE(inet.StillExecuting());

    server.setRoute("/ok", {.body = "fine"});
    EXPECT_EQ(fetch(server.url("/ok")), "fine");
}

TEST_F(InetTest, CancelFromAnEventEndsTheFetchWithoutError) {
    server.setRoute("/slow", {.body = "late", .delayMs = 5000});
    Later cancel(50, [this] { inet.Cancel(); });
    EXPECT_EQ(fetch(server.url("/slow")), "");
    EXPECT_TRUE(inet.LastFetchFailed());
    EXPECT_EQ(std::count(states.begin(), states.end(), InetState::icError), 0);
    EXPECT_TRUE(WaitUntil([this] { return server.openConnections() == 0; }, kWatchdogMs));
}

TEST_F(InetTest, CancelFromAProgressEventEndsTheFetch) {
    server.setRoute("/ok", {.body = "fine"});
    for (int16_t cancelAt :
         {InetState::icConnecting, InetState::icRequesting, InetState::icReceivingResponse}) {
        SCOPED_TRACE(cancelAt);
        states.clear();
        inet.OnStateChanged = [&](int16_t state) {
            states.push_back(state);
            if (state == cancelAt) inet.Cancel();
        };
        EXPECT_EQ(fetch(server.url("/ok")), "");
        EXPECT_EQ(states.back(), cancelAt);
    }
}

// A quit ends every event loop at once, the fetch's own included; the fetch must not wait on
// for a reply that never comes. Runs inside the application's loop, as the program does.
TEST_F(InetTest, QuitAbandonsTheFetchAndTheFetchesAfterIt) {
    inet.setRequestTimeout(60);
    server.setRoute("/silent", {.behaviour = Behaviour::Silent});
    std::vector<std::string> replies;
    std::vector<bool> failed;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
        Later quit(200, [] { QCoreApplication::quit(); });
        for (int fetch = 0; fetch < 2; ++fetch) {
            replies.push_back(inet.OpenURL(server.url("/silent")));
            failed.push_back(inet.LastFetchFailed());
        }
    });
    Watchdog watchdog(inet);
    QCoreApplication::exec();
    EXPECT_EQ(replies, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(failed, (std::vector<bool>{true, true}));
    EXPECT_EQ(std::count(states.begin(), states.end(), InetState::icError), 0);
    EXPECT_FALSE(inet.StillExecuting());
}

TEST_F(InetTest, TimersKeepRunningDuringAFetch) {
    // The answer would come only after the watchdog: the fetch ends because five ticks
    // ran inside it, however slowly the machine turns them.
    server.setRoute("/slow", {.body = "late", .delayMs = 2 * kWatchdogMs});
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        if (++ticks == 5) inet.Cancel();
    });
    ticker.start(20);
    fetch(server.url("/slow"));
    EXPECT_EQ(ticks, 5);
}

TEST_F(InetTest, SecondFetchFromANestedEventIsRefusedWithoutDisturbingTheFirst) {
    server.setRoute("/other", {.body = "other"});
    bool executingInside = false;
    std::string nestedReply = "unset";
    // Runs while the first request waits for its answer, however slowly the machine turns.
    server.setRoute("/first", {.body = "first", .arrived = [&] {
                                   executingInside = inet.StillExecuting();
                                   nestedReply = inet.OpenURL(server.url("/other"));
                               }});
    EXPECT_EQ(fetch(server.url("/first")), "first");
    EXPECT_FALSE(inet.LastFetchFailed());
    EXPECT_TRUE(executingInside);
    EXPECT_EQ(nestedReply, "");
    EXPECT_EQ(server.requestLines().size(), 1u);
    EXPECT_EQ(states, kCompletedStates);
}

TEST_F(InetTest, FetchOnAnotherInstanceMayRunNestedInsideAnEvent) {
    server.setRoute("/outer", {.body = "outer"});
    server.setRoute("/inner", {.body = "inner"});
    Inet other;
    std::string innerReply;
    inet.OnStateChanged = [&](int16_t state) {
        if (state == InetState::icReceivingResponse)
            innerReply = other.OpenURL(server.url("/inner"));
    };
    EXPECT_EQ(fetch(server.url("/outer")), "outer");
    EXPECT_EQ(innerReply, "inner");
}

TEST_F(InetTest, RepliesAboveTheSizeLimitFail) {
    const QByteArray tooLarge(Inet::kMaxReplyBytes + 1, 'x');
    server.setRoute("/declared", {.body = tooLarge});
    server.setRoute("/undeclared", {.body = tooLarge, .declareLength = false});
    server.setRoute("/endless", {.behaviour = Behaviour::Endless});
    server.setRoute("/chunked", chunked(QByteArray::number(tooLarge.size(), 16) + "\r\n" +
                                        tooLarge + "\r\n0\r\n\r\n"));
    inet.setRequestTimeout(60);  // the endless reply must end at the limit, not the time-out
    for (const char* path : {"/declared", "/undeclared", "/endless", "/chunked"}) {
        SCOPED_TRACE(path);
        states.clear();
        expectFailed(fetch(server.url(path)));
    }
}

TEST_F(InetTest, ReplyOfExactlyTheSizeLimitArrives) {
    server.setRoute("/limit", {.body = QByteArray(Inet::kMaxReplyBytes, 'x')});
    EXPECT_EQ(fetch(server.url("/limit")).size(), static_cast<size_t>(Inet::kMaxReplyBytes));
}

// Fields of exactly size bytes, after start and with their empty line, the last one filled.
QByteArray FieldsOfSize(int size, const QByteArray& start) {
    const QByteArray filler = "X-Filler: ";
    const QByteArray end = "\r\n\r\n";
    return start + filler + QByteArray(size - int(start.size() + filler.size() + end.size()), 'x') +
           end;
}

// A head of exactly size bytes, its empty line included, announcing a body of "4.01".
QByteArray HeadOfSize(int size) {
    return FieldsOfSize(size, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n");
}

// Replies framed in the ways servers may frame them, each either arriving or failing.
TEST_F(InetTest, RepliesAreFramedAsTheirHeadsSay) {
    constexpr int kMaxHeadBytes = 64 * 1024;
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const QByteArray chunks = "4\r\n4.01\r\n0\r\n\r\n";
    const QByteArray chunkedHead = ok + "Transfer-Encoding: chunked\r\n";
    const QByteArray okUrl = QByteArray::fromStdString(server.url("/ok"));
    server.setRoute("/ok", {.body = "fine"});
    const QByteArray redirect = "HTTP/1.1 302 Found\r\nLocation: " + okUrl + "\r\nContent-Length: " +
                                QByteArray::number(Inet::kMaxReplyBytes + 1) + "\r\n\r\n";
    struct Case {
        const char* what;
        QByteArray reply;
        bool closes;                      // the server ends the connection after the reply
        std::optional<std::string> body;  // nullopt: the fetch fails
    };
    const Case cases[] = {
        {"interim replies first",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </s.css>\r\n\r\n" + ok +
             "Content-Length: 4\r\n\r\n4.01",
         false, "4.01"},
        {"204 held open", "HTTP/1.1 204 No Content\r\n\r\n", false, ""},
        {"304 held open: nothing was asked conditionally",
         "HTTP/1.1 304 Not Modified\r\nContent-Length: 9\r\n\r\n", false, std::nullopt},
        {"a redirect with no place to go", "HTTP/1.1 302 Found\r\nContent-Length: 4\r\n\r\n4.01", false,
         std::nullopt},
        {"interim replies past the head limit together",
         QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(kMaxHeadBytes / 25 + 1) + ok +
             "Content-Length: 4\r\n\r\n4.01",
         false, std::nullopt},
        {"one length twice", ok + "Content-Length: 4\r\nContent-Length: 4\r\n\r\n4.01", false, "4.01"},
        {"conflicting lengths", ok + "Content-Length: 4\r\nContent-Length: 5\r\n\r\n4.015", false,
         std::nullopt},
        {"negative length", ok + "Content-Length: -4\r\n\r\n4.01", true, std::nullopt},
        {"chunked over a length", ok + "Transfer-Encoding: chunked\r\nContent-Length: 99\r\n\r\n" + chunks,
         false, "4.01"},
        {"gzip, chunked", ok + "Transfer-Encoding: gzip, chunked\r\n\r\n" + chunks, false, std::nullopt},
        {"chunked, gzip", ok + "Transfer-Encoding: chunked, gzip\r\n\r\n" + chunks, true, std::nullopt},
        {"gzip and chunked on two lines",
         ok + "Transfer-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n\r\n" + chunks, false,
         std::nullopt},
        {"gzip alone", ok + "Transfer-Encoding: gzip\r\n\r\n4.01", true, std::nullopt},
        {"a coding left empty", ok + "Transfer-Encoding: \r\nContent-Length: 4\r\n\r\n4.01", false,
         std::nullopt},
        {"head of exactly 64 KiB", HeadOfSize(kMaxHeadBytes) + "4.01", false, "4.01"},
        {"head one byte above", HeadOfSize(kMaxHeadBytes + 1) + "4.01", false, std::nullopt},
        {"redirect declaring a body above the limit", redirect, false, "fine"},
        {"trailers without end", chunkedHead + "\r\n4\r\n4.01\r\n0\r\n" +
                                     ("X-T: " + QByteArray(1000, 'a') + "\r\n").repeated(1000),
         false, std::nullopt},
        {"head and trailers one byte above 64 KiB together",
         FieldsOfSize(kMaxHeadBytes / 2, chunkedHead) + "4\r\n4.01\r\n0\r\n" +
             FieldsOfSize(kMaxHeadBytes / 2 + 1, ""),
         false, std::nullopt},
        {"chunk-size line above 1 KiB in one read",
         chunkedHead + "\r\n4;x=" + QByteArray(1100, 'x') + "\r\n4.01\r\n0\r\n\r\n", false,
         std::nullopt},
        {"NUL in a field value",
         ok + "X-Note: a" + QByteArray(1, '\0') + "b\r\nContent-Length: 4\r\n\r\n4.01", false,
         std::nullopt},
        {"a field line without a colon", ok + "Content-Length: 4\r\nno colon\r\n\r\n4.01", false,
         std::nullopt},
        {"a value folded onto the next line", ok + "Content-Length:\r\n 4\r\n\r\n4.01", false,
         "4.01"},
        {"a switch of protocols nothing asked for",
         "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n",
         false, std::nullopt},
        {"two places to go", "HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\nLocation: " + okUrl +
                                 "\r\nContent-Length: 0\r\n\r\n",
         false, std::nullopt},
    };
    // Long enough that a reply which ends only at the time-out meets the watchdog instead.
    inet.setRequestTimeout(60);
    RawServer raw;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        states.clear();
        raw.setReply(c.reply, c.closes);
        const std::string reply = fetch(raw.url());
        if (!c.body) {
            expectFailed(reply);
            continue;
        }
        EXPECT_EQ(reply, *c.body);
        EXPECT_FALSE(inet.LastFetchFailed());
        EXPECT_EQ(states, kCompletedStates);
    }
}

TEST_F(InetTest, RedirectsAreFollowedUpToFive) {
    struct Case {
        int hops;
        bool arrives;
    };
    for (const Case c : {Case{3, true}, Case{5, true}, Case{6, false}, Case{10, false}}) {
        SCOPED_TRACE(c.hops);
        states.clear();
        const std::string start =
            server.setRedirectChain("/chain" + std::to_string(c.hops), c.hops, "end");
        const std::string reply = fetch(server.url(start));
        if (c.arrives)
            EXPECT_EQ(reply, "end");
        else
            expectFailed(reply);
    }
}

TEST_F(InetTest, RelativeRedirectsResolveAgainstTheAddressThatGaveThem) {
    server.setRoute("/d/moved", {.status = 301, .location = "quotes.csv?s=IBM"});
    server.setRoute("/moved", {.status = 302, .location = "/d/moved"});
    server.setRoute("/d/quotes.csv", {.body = "quote"});
    EXPECT_EQ(fetch(server.url("/moved")), "quote");
    EXPECT_EQ(server.requestLines().back(), "GET /d/quotes.csv?s=IBM HTTP/1.1");
}

TEST_F(InetTest, HostNamesAreLookedUp) {
    server.setRoute("/ok", {.body = "fine"});
    const std::string address = server.url("/ok");
    EXPECT_EQ(fetch("http://localhost" + address.substr(address.rfind(':'))), "fine");
}

// Set in the copy of this program that the next test runs behind a name server that never
// answers; the copy says kLookupsOver once its fetches have ended.
constexpr const char* kBehindSilentNameServer = "VESK_BEHIND_SILENT_NAME_SERVER";
constexpr const char* kLookupsOver = "lookups over";

qsizetype ThreadCount() {
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// A host whose lookup hangs: each fetch ends at its time-out with icError, a second fetch
// takes over the lookup the first gave up instead of starting another, and none of them
// holds the program's end.
TEST_F(InetTest, TheTimeOutEndsAHangingLookup) {
    if (qEnvironmentVariableIsSet(kBehindSilentNameServer)) {
        inet.setRequestTimeout(1);
        qsizetype threadsAfterFirst = 0;
        for (int fetchNumber = 1; fetchNumber <= 2; ++fetchNumber) {
            SCOPED_TRACE(fetchNumber);
            states.clear();
            QElapsedTimer clock;
            clock.start();
            expectFailed(fetch("http://quotes.example.invalid/d/quotes.csv"));
            EXPECT_GE(clock.elapsed(), 900);  // the lookup did hang
            EXPECT_LT(clock.elapsed(), 2500);
            if (fetchNumber == 1) threadsAfterFirst = ThreadCount();
        }
        EXPECT_EQ(ThreadCount(), threadsAfterFirst);
        std::cout << kLookupsOver << std::endl;
        return;
    }
    QProcess copy;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kBehindSilentNameServer, "1");
    copy.setProcessEnvironment(env);
    copy.setProcessChannelMode(QProcess::MergedChannels);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QStringList command = BehindSilentNameServer(
        {QCoreApplication::applicationFilePath(),
         QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    const QString program = command.takeFirst();
    copy.start(program, command);
    QByteArray output;
    const auto ended = [&] {
        output += copy.readAll();
        return copy.state() == QProcess::NotRunning;
    };
    ASSERT_TRUE(
        WaitUntil([&] { return ended() || output.contains(kLookupsOver); }, 4 * kWatchdogMs));
    if (NameServerCouldNotBeHidden(copy))
        GTEST_SKIP() << "no mount and network namespace to hide a name server in:\n"
                     << output.toStdString();
    ASSERT_TRUE(output.contains(kLookupsOver)) << output.toStdString();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitUntil(ended, 1000))
        << "still running " << clock.elapsed() << " ms after its lookups";
    EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy.exitCode(), 0) << output.toStdString();
}

TEST_F(InetTest, AddressesThatCannotBeFetchedGiveEmptyAtOnce) {
    for (const std::string url : {"", "not a url", "http://", "http:///path",
                                  "ftp://127.0.0.1/file", "http://[::1", "127.0.0.1/path"}) {
        SCOPED_TRACE(url);
        EXPECT_EQ(inet.OpenURL(url), "");
        EXPECT_TRUE(inet.LastFetchFailed());
        EXPECT_TRUE(inet.OpenURLBytes(url).empty());
    }
    EXPECT_TRUE(states.empty());
    EXPECT_TRUE(server.requestLines().empty());
}

}  // namespace

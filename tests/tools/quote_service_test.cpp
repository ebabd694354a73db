#include "service.h"

#include <cmath>

#include <gtest/gtest.h>
#include <httplib.h>
#include <QByteArray>
#include <QImage>

#include <chrono>
#include <future>
#include <regex>
#include <sstream>
#include <thread>

#include "platform/core/conversions.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line.substr(0, line.find('\r')));
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    return fields;
}

double Number(const std::string& field) { return TextToDouble(field).value_or(std::nan("")); }

class QuoteServiceTest : public testing::Test {
protected:
    void SetUp() override { Begin(ServiceOptions{}); }

    void Begin(ServiceOptions options) {
        options.port = 0;
        service_ = std::make_unique<QuoteService>(std::move(options));
        port_ = service_->Start();
        ASSERT_GT(port_, 0);
    }

    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(5);
        return client;
    }

    httplib::Result Fetch(const std::string& path) const { return Client().Get(path.c_str()); }

    std::string Quote(const std::string& symbol) const {
        const auto result = Fetch("/d/quotes.csv?s=" + symbol + "&f=sl1d1t1c1ohgv&e=.csv");
        EXPECT_TRUE(result);
        return result ? result->body : std::string();
    }

    std::unique_ptr<QuoteService> service_;
    int port_ = -1;
};

TEST_F(QuoteServiceTest, QuoteLineHasNineFieldsWithASignedChange) {
    const std::regex line_shape(
        R"("IBM",\d+\.\d\d,"\d{1,2}/\d{1,2}/\d{4}","\d{1,2}:\d\d[ap]m",([+-]\d+\.\d\d|0\.00),)"
        R"(\d+\.\d\d,\d+\.\d\d,\d+\.\d\d,\d+\r\n)");
    for (int i = 0; i < 20; ++i) {
        const std::string line = Quote("IBM");
        ASSERT_TRUE(std::regex_match(line, line_shape)) << line;
        const auto fields = Fields(line);
        const double last = Number(fields[1]), open = Number(fields[5]);
        const double high = Number(fields[6]), low = Number(fields[7]);
        EXPECT_TRUE(low <= last && last <= high && low <= open && open <= high) << line;
        EXPECT_GT(std::stol(fields[8]), 0);
    }
}

TEST_F(QuoteServiceTest, WalkMovesOnAndRepeatsForTheSameSeed) {
    std::vector<std::string> lasts;
    for (int i = 0; i < 10; ++i) lasts.push_back(Fields(Quote("MSFT"))[1]);
    EXPECT_NE(std::count(lasts.begin(), lasts.end(), lasts.front()), 10) << "the price never moved";
    EXPECT_EQ(Fields(Quote("msft"))[0], "\"MSFT\"");

    const auto first_last = [](std::uint64_t seed) {
        ServiceOptions options;
        options.port = 0;
        options.seed = seed;
        QuoteService other(options);
        const int port = other.Start();
        httplib::Client client("127.0.0.1", port);
        const auto result = client.Get("/d/quotes.csv?s=MSFT&f=sl1d1t1c1ohgv&e=.csv");
        return result ? Fields(result->body)[1] : std::string();
    };
    EXPECT_EQ(first_last(1), lasts.front());
    EXPECT_NE(first_last(2), lasts.front());
}

TEST_F(QuoteServiceTest, IndicesAtTheirScales) {
    struct Case {
        const char* symbol;
        double lowest, highest;
    };
    const Case cases[] = {
        {"^DJI", 8000, 12000}, {"%5EIXIC", 1600, 2400}, {"^SPC", 900, 1300}, {"^TYX", 40, 70}};
    for (const Case& c : cases) {
        const auto fields = Fields(Quote(c.symbol));
        ASSERT_EQ(fields.size(), 9u) << c.symbol;
        EXPECT_GE(Number(fields[1]), c.lowest) << c.symbol;
        EXPECT_LE(Number(fields[1]), c.highest) << c.symbol;
        EXPECT_EQ(fields[8], "0") << c.symbol;
    }
    // The bond's change is in the same tenths of a percent, well under a point.
    EXPECT_LT(std::abs(Number(Fields(Quote("^TYX"))[4])), 3.0);
}

TEST_F(QuoteServiceTest, UnknownSymbolsAnswerNotAvailable) {
    Begin([] {
        ServiceOptions options;
        options.unknown_symbols.push_back("ABCD");
        return options;
    }());
    for (const std::string symbol : {"ZZZZ", "ABCD", "TOOLONG", "S&&P 500", "12", ""}) {
        EXPECT_EQ(Quote(symbol), "\"" + symbol + "\",N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A\r\n");
    }
}

TEST_F(QuoteServiceTest, ChartsAreGifsAndNoChartIs150Bytes) {
    for (const std::string path : {"/t?s=IBM", "/v?s=ibm", "/c/0b/i/ibm.gif", "/t?s=%5EDJI"}) {
        const auto result = Fetch(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->get_header_value("Content-Type"), "image/gif");
        const QImage chart = QImage::fromData(QByteArray::fromStdString(result->body), "GIF");
        ASSERT_FALSE(chart.isNull()) << path;
        EXPECT_EQ(chart.size(), QSize(192, 96)) << path;
    }
    EXPECT_NE(Fetch("/t?s=IBM")->body, Fetch("/v?s=IBM")->body);
    for (const std::string path : {"/t?s=ZZZZ", "/v?s=TOOLONG", "/c/0b/z/zzzz.gif", "/t?s="}) {
        const auto result = Fetch(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->body.size(), 150u) << path;
    }
}

TEST_F(QuoteServiceTest, VersionFileAndPages) {
    EXPECT_EQ(Fetch("/currentversion.txt")->body, "4.1\r\n");
    for (const std::string path :
         {"/n/i/IBM.html", "/p/i/IBM.html", "/e/l/i/IBM.html", "/z/a/i/IBM.html", "/t/i/IBM.html",
          "/q?s=IBM&d=1b", "/?action=q&board=IBM", "/l?s=IBM+corp"}) {
        const auto result = Fetch(path);
        ASSERT_TRUE(result) << path;
        EXPECT_EQ(result->status, 200) << path;
        EXPECT_NE(result->body.find("<h1>IBM"), std::string::npos) << path;
    }
    for (const std::string path : {"/nothing", "/d/other.csv", "/", "/c/0b/i/ibm.png"})
        EXPECT_EQ(Fetch(path)->status, 404) << path;

    Begin([] {
        ServiceOptions options;
        options.version_text = "5.0 is out";
        return options;
    }());
    EXPECT_EQ(Fetch("/currentversion.txt")->body, "5.0 is out\r\n");
}

TEST_F(QuoteServiceTest, QueryKnobsBendOneReply) {
    const auto failing = Fetch("/d/quotes.csv?s=IBM&f=sl1d1t1c1ohgv&e=.csv&status=500");
    EXPECT_EQ(failing->status, 500);

    const auto empty = Fetch("/d/quotes.csv?s=IBM&empty=1");
    EXPECT_EQ(empty->status, 200);
    EXPECT_EQ(empty->body, "");

    const std::string flat = Fetch("/d/quotes.csv?s=IBM&nocommas=1")->body;
    EXPECT_EQ(flat.find(','), std::string::npos);
    EXPECT_TRUE(flat.starts_with("\"IBM\" ")) << flat;

    const auto dropped = Fetch("/d/quotes.csv?s=IBM&drop=1");
    EXPECT_FALSE(dropped);
    EXPECT_EQ(dropped.error(), httplib::Error::Read);

    const auto huge = Fetch("/d/quotes.csv?s=IBM&huge=1");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->body.size(), 16u << 20);
    EXPECT_TRUE(huge->body.starts_with("\"IBM\","));

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Fetch("/currentversion.txt?latency=150")->body, "4.1\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));

    // The service still answers normally afterwards.
    EXPECT_EQ(Fields(Quote("IBM")).size(), 9u);
}

TEST_F(QuoteServiceTest, CommandLineKnobsBendEveryReply) {
    Begin([] {
        ServiceOptions options;
        options.knobs.status = 503;
        options.knobs.no_commas = true;
        return options;
    }());
    for (const std::string path : {"/d/quotes.csv?s=IBM", "/currentversion.txt", "/n/i/IBM.html"}) {
        const auto result = Fetch(path);
        EXPECT_EQ(result->status, 503) << path;
        EXPECT_EQ(result->body.find(','), std::string::npos) << path;
    }
    EXPECT_EQ(Fetch("/d/quotes.csv?s=IBM&status=200")->status, 200);

    Begin([] {
        ServiceOptions options;
        options.knobs.drop = true;
        return options;
    }());
    EXPECT_FALSE(Fetch("/currentversion.txt"));
}

TEST_F(QuoteServiceTest, TrickleSendsTheReplyByteByByte) {
    std::vector<std::size_t> pieces;
    std::string received;
    const auto result =
        Client().Get("/d/quotes.csv?s=IBM&trickle=1", [&](const char* data, std::size_t length) {
            pieces.push_back(length);
            received.append(data, length);
            return received.size() < 4;
        });
    EXPECT_EQ(result.error(), httplib::Error::Canceled);
    EXPECT_EQ(received, "\"IBM");
    EXPECT_EQ(pieces, (std::vector<std::size_t>{1, 1, 1, 1}));
}

TEST_F(QuoteServiceTest, StopEndsARunningTrickle) {
    std::promise<void> first_byte;
    std::thread reader([&, client = Client()]() mutable {
        bool told = false;
        client.Get("/d/quotes.csv?s=IBM&trickle=1", [&](const char*, std::size_t) {
            if (!told) first_byte.set_value();
            told = true;
            return true;
        });
    });
    const bool arrived =
        first_byte.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    service_->Stop();
    reader.join();
    EXPECT_TRUE(arrived);
}

TEST_F(QuoteServiceTest, RedirectsChainToTheTarget) {
    const auto first = Fetch("/redirect?n=3&to=/d/quotes.csv%3Fs=S%26%26P%20500%26f=x");
    EXPECT_EQ(first->status, 302);
    // The client shows the Location decoded.
    EXPECT_EQ(first->get_header_value("Location"), "/redirect/2/d/quotes.csv?s=S&&P 500&f=x");
    EXPECT_EQ(Fetch("/redirect/2/d/quotes.csv?s=IBM&drop=1")->get_header_value("Location"),
              "/redirect/1/d/quotes.csv?s=IBM&drop=1");
    EXPECT_EQ(Fetch("/redirect/1/d/quotes.csv?s=IBM")->get_header_value("Location"),
              "/d/quotes.csv?s=IBM");

    httplib::Client client = Client();
    client.set_follow_location(true);
    const auto followed = client.Get("/redirect?n=3&to=/d/quotes.csv%3Fs=S%26%26P%20500%26f=x");
    ASSERT_TRUE(followed);
    EXPECT_EQ(followed->body, "\"S&&P 500\",N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A\r\n");

    for (const std::string path :
         {"/redirect?n=2&to=//elsewhere/x", "/redirect?n=2&to=http://x/", "/redirect/3//elsewhere/x"})
        EXPECT_EQ(Fetch(path)->status, 400) << path;
}

// The hook must come after the client has the whole reply, not when the route answers.
TEST_F(QuoteServiceTest, OnReplyComesAfterTheReplyWasSent) {
    std::promise<void> client_has_reply;
    std::promise<std::pair<std::string, bool>> observed;
    ServiceOptions options;
    options.on_reply = [&, reply = client_has_reply.get_future().share()](const std::string& path) {
        observed.set_value({path, reply.wait_for(std::chrono::seconds(2)) == std::future_status::ready});
    };
    Begin(std::move(options));
    auto seen = observed.get_future();

    EXPECT_FALSE(Quote("IBM").empty());
    client_has_reply.set_value();
    ASSERT_EQ(seen.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const auto [path, after_reply] = seen.get();
    EXPECT_EQ(path, "/d/quotes.csv");
    EXPECT_TRUE(after_reply) << "the hook ran before the client had its reply";
}

TEST_F(QuoteServiceTest, APortInUseIsRefused) {
    ServiceOptions options;
    options.port = port_;
    QuoteService second(options);
    EXPECT_EQ(second.Start(), -1);
}

}  // namespace

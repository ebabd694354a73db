#include "settings/service_hosts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

class ServiceHostsTest : public ::testing::Test {
protected:
    std::string folder() const { return dir_.path().toStdString(); }
    std::string confPath() const { return folder() + "/" + kServiceHostsFileName; }

    ServiceHostsLoad load(const std::string& content) {
        std::ofstream(confPath(), std::ios::binary) << content;
        return LoadServiceHosts(folder());
    }

private:
    QTemporaryDir dir_;
};

void expectAllDefaults(const ServiceHosts& hosts) {
    for (const std::string* host :
         {&hosts.QuoteHost, &hosts.ChartHostA, &hosts.ChartHostB, &hosts.ResearchHost,
          &hosts.ChartPageHost, &hosts.MessageBoardHost, &hosts.MakerHost, &hosts.MakerWebHost})
        EXPECT_EQ(*host, "127.0.0.1:8317");
}

TEST_F(ServiceHostsTest, MissingFileGivesTheBuiltInHostsSilently) {
    const ServiceHostsLoad result = LoadServiceHosts(folder());
    expectAllDefaults(result.hosts);
    EXPECT_FALSE(result.problem);
}

TEST_F(ServiceHostsTest, FullFileSetsEveryHost) {
    const ServiceHostsLoad result = load(
        "\xEF\xBB\xBF; service hosts\r\n"
        "[Other]\r\nQuoteHost=ignored.example\r\n\r\n"
        "[Hosts]\r\n"
        "QuoteHost = quotes.local:8080\r\n"
        "ChartHostA=charts-a.local\r\n"
        "ChartHostB=charts-b.local:1\r\n"
        "ResearchHost=research.local:65535\r\n"
        "# a comment\r\n"
        "ChartPageHost=pages.local\r\n"
        "MessageBoardHost=boards.local\r\n"
        "MakerHost=maker.local:9000\r\n"
        "MakerWebHost=www.maker.local\r\n"
        "UnknownKey=whatever you like\r\n"
        "ChartHostA=charts-a2.local\r\n");
    EXPECT_FALSE(result.problem);
    const ServiceHosts& hosts = result.hosts;
    EXPECT_EQ(hosts.QuoteHost, "quotes.local:8080");
    EXPECT_EQ(hosts.ChartHostA, "charts-a2.local");  // the last of a key counts
    EXPECT_EQ(hosts.ChartHostB, "charts-b.local:1");
    EXPECT_EQ(hosts.ResearchHost, "research.local:65535");
    EXPECT_EQ(hosts.ChartPageHost, "pages.local");
    EXPECT_EQ(hosts.MessageBoardHost, "boards.local");
    EXPECT_EQ(hosts.MakerHost, "maker.local:9000");
    EXPECT_EQ(hosts.MakerWebHost, "www.maker.local");
}

TEST_F(ServiceHostsTest, MissingKeysKeepTheirDefaults) {
    const ServiceHostsLoad result = load("[Hosts]\nMakerHost=127.0.0.1:9999\n");
    EXPECT_FALSE(result.problem);
    EXPECT_EQ(result.hosts.MakerHost, "127.0.0.1:9999");
    EXPECT_EQ(result.hosts.QuoteHost, "127.0.0.1:8317");
}

TEST_F(ServiceHostsTest, InvalidValuesAreReportedAndTakeTheirDefaults) {
    for (const char* value : {"", "quotes.local:0", "quotes.local:65536", "quotes.local:",
                              ":8080", "quotes local", "http://quotes.local", "quotes.local:80x",
                              "quotes_local", "quotes.local:+80", "[::1]:80"}) {
        SCOPED_TRACE(value);
        const ServiceHostsLoad result =
            load(std::string("[Hosts]\nQuoteHost=") + value + "\nMakerHost=maker.local\n");
        EXPECT_EQ(result.hosts.QuoteHost, "127.0.0.1:8317");
        EXPECT_EQ(result.hosts.MakerHost, "maker.local");
        ASSERT_TRUE(result.problem);
        EXPECT_EQ(*result.problem, "These service hosts in " + confPath() +
                                       " are not a host name or host:port: QuoteHost. Vesk "
                                       "Ticker uses its built-in hosts for them.");
    }
}

TEST_F(ServiceHostsTest, EveryInvalidKeyIsNamed) {
    const ServiceHostsLoad result = load("[Hosts]\nChartHostB=a b\nMakerWebHost=x:0\n");
    ASSERT_TRUE(result.problem);
    EXPECT_NE(result.problem->find(": ChartHostB, MakerWebHost."), std::string::npos);
}

TEST_F(ServiceHostsTest, MalformedFileGivesAllDefaultsAndNamesTheLine) {
    const ServiceHostsLoad result =
        load("[Hosts]\nQuoteHost=quotes.local\n\njust some words\nMakerHost=maker.local\n");
    expectAllDefaults(result.hosts);
    ASSERT_TRUE(result.problem);
    EXPECT_EQ(*result.problem, "The service hosts in " + confPath() +
                                   " could not be read (line 4). Vesk Ticker uses its built-in "
                                   "hosts.");
    for (const char* line : {"=value", "[Hosts"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(load(std::string(line) + "\n").problem);
    }
}

TEST_F(ServiceHostsTest, UnreadableFileGivesAllDefaults) {
    std::filesystem::create_directory(confPath());
    const ServiceHostsLoad result = LoadServiceHosts(folder());
    expectAllDefaults(result.hosts);
    ASSERT_TRUE(result.problem);
    EXPECT_EQ(*result.problem, "The service hosts in " + confPath() +
                                   " could not be read. Vesk Ticker uses its built-in hosts.");
}

}  // namespace

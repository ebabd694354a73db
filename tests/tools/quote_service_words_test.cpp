#include "command_line.h"
#include "query_words.h"

#include <gtest/gtest.h>

TEST(QueryWords, SplitsOnlyWhereAWordOfOursFollows) {
    struct Case {
        const char* target;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"/d/quotes.csv?s=IBM&f=sl1d1t1c1ohgv&e=.csv", "s", "IBM"},
        {"/d/quotes.csv?s=IBM&f=sl1d1t1c1ohgv&e=.csv", "f", "sl1d1t1c1ohgv"},
        {"/d/quotes.csv?s=S&&P 500&f=sl1d1t1c1ohgv&e=.csv", "s", "S&&P 500"},
        {"/d/quotes.csv?s=S%26%26P%20500&f=x", "s", "S&&P 500"},
        {"/d/quotes.csv?s=%5ETYX&status=503", "status", "503"},
        {"/t?s=IBM&", "s", "IBM&"},
        {"/redirect?n=2&to=/d/quotes.csv%3Fs=IBM&f=x&drop=1", "to", "/d/quotes.csv?s=IBM&f=x&drop=1"},
        {"/?action=q&board=AT&T", "board", "AT&T"},
        {"/l?s=big+blue", "s", "big+blue"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const QueryWords words(c.target);
        EXPECT_TRUE(words.Has(c.key));
        EXPECT_EQ(words.Get(c.key), c.value);
    }
    EXPECT_FALSE(QueryWords("/d/quotes.csv").Has("s"));
    EXPECT_FALSE(QueryWords("/redirect?n=2&to=/x&drop=1").Has("drop"));
}

TEST(QueryWords, NumbersAreWholeOrZero) {
    const QueryWords words("/x?latency=250&status=5x&n=-3");
    EXPECT_EQ(words.Number("latency"), 250);
    EXPECT_EQ(words.Number("status"), 0);
    EXPECT_EQ(words.Number("n"), -3);
    EXPECT_EQ(words.Number("drop"), 0);
}

TEST(QueryWords, PercentEncodingRoundTrips) {
    const std::string text = "/d/quotes.csv?s=S&&P 500%";
    const std::string encoded = PercentEncode(text, "?");
    EXPECT_EQ(encoded, "/d/quotes.csv%3Fs=S&&P%20500%25");
    EXPECT_EQ(PercentDecode(encoded), text);
    EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
}

TEST(CommandLine, FlagsSetOptionsAndKnobs) {
    const CommandLine line =
        ParseCommandLine({"--port", "0", "--seed", "7", "--version-text", "5.0 new", "--symbols-unknown",
                          "ABC,XY", "--latency-ms", "250", "--drop", "--empty", "--no-commas",
                          "--status", "503", "--huge", "--trickle"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.options.port, 0);
    EXPECT_EQ(line.options.seed, 7u);
    EXPECT_EQ(line.options.version_text, "5.0 new");
    EXPECT_EQ(line.options.unknown_symbols, (std::vector<std::string>{"ZZZZ", "ABC", "XY"}));
    const ReplyKnobs& knobs = line.options.knobs;
    EXPECT_EQ(knobs.latency_ms, 250);
    EXPECT_TRUE(knobs.drop && knobs.empty && knobs.no_commas && knobs.huge && knobs.trickle);
    EXPECT_EQ(knobs.status, 503);
}

TEST(CommandLine, DefaultsAndMistakes) {
    const CommandLine plain = ParseCommandLine({});
    EXPECT_EQ(plain.error, "");
    EXPECT_EQ(plain.options.port, 8317);
    EXPECT_FALSE(plain.options.knobs.drop);
    EXPECT_TRUE(ParseCommandLine({"--help"}).wants_help);
    for (const auto& wrong : std::vector<std::vector<std::string>>{{"--port"},
                                                                   {"--port", "x"},
                                                                   {"--port", "70000"},
                                                                   {"--status", "42"},
                                                                   {"--bogus"},
                                                                   {"--version-text"},
                                                                   {"--latency-ms", "-1"}}) {
        EXPECT_NE(ParseCommandLine(wrong).error, "") << wrong.front();
    }
}

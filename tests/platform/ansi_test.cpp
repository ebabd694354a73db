#include "platform/core/ansi.h"

#include <gtest/gtest.h>

namespace {

struct Pair {
    std::string ansi;
    std::string utf8;
};

// Each single byte and its character, read and written the same way.
const Pair kPairs[] = {
    {"IBM", "IBM"},
    {"\x80", "\u20AC"},
    {"\x8A\x9A", "\u0160\u0161"},
    {"\x93Quote\x94", "\u201CQuote\u201D"},
    {"\x9F", "\u0178"},
    {"Soci\xE9t\xE9 G\xE9n\xE9rale", "Soci\u00E9t\u00E9 G\u00E9n\u00E9rale"},
    {"\xA0\xFF", "\u00A0\u00FF"},
    {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
    {std::string("\0", 1), std::string("\0", 1)},
};

TEST(Ansi, BytesAndCharactersCorrespondBothWays) {
    for (const Pair& pair : kPairs) {
        EXPECT_EQ(AnsiToUtf8(pair.ansi), pair.utf8) << pair.utf8;
        EXPECT_EQ(Utf8ToAnsi(pair.utf8), pair.ansi) << pair.utf8;
    }
}

TEST(Ansi, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(Ansi, TextWithoutASingleByteFormBecomesQuestionMarks) {
    const Pair kCases[] = {
        {"?", "\u65E5"},                 // beyond the code page
        {"A?B", "A\U0001F600B"},         // four-byte character
        {"?", "\u0080"},                 // a control whose byte means the euro sign
        {"?A", "\xE2\x82" "A"},          // a sequence cut short is one '?'
        {"??", "\xC0\xAF"},              // overlong form
        {"???", "\xED\xA0\x80"},         // encoded surrogate
        {"?x", "\xBFx"},                 // stray continuation byte
        {"????", "\xF4\x90\x80\x80"},     // past U+10FFFF
    };
    for (const Pair& pair : kCases) {
        EXPECT_EQ(Utf8ToAnsi(pair.utf8), pair.ansi) << testing::PrintToString(pair.utf8);
    }
}

}  // namespace

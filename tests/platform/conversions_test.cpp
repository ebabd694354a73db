#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "platform/core/conversions.h"

namespace {

// Numbers are stored and shown with a period whatever the user's locale says: the suite
// also runs under a decimal-comma locale, and this fixture switches to one when it can.
class ConversionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name)) break;
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, saved_.c_str()); }

private:
    std::string saved_;
};

TEST_F(ConversionsTest, NumbersPrintWithTheirSignificantDigitsAndAPeriod) {
    const struct {
        double value;
        bool single;
        const char* text;
    } cases[] = {
        {4500.5, true, "4500.5"},
        {0.1, true, "0.1"},
        {1234567, true, "1234567"},
        {12345678, true, "1.234568E+07"},
        {-0.00001, true, "-1E-05"},
        {0, true, "0"},
        {-0.0, false, "0"},
        {5.525, false, "5.525"},
        {0.1 + 0.2, false, "0.3"},
        {123456789012345.6, false, "123456789012346"},
        {1e15, false, "1E+15"},
    };
    for (const auto& c : cases) {
        const std::string text = c.single ? SingleToText(float(c.value)) : DoubleToText(c.value);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

TEST_F(ConversionsTest, TextReadsBackWithAPeriodOnly) {
    EXPECT_EQ(TextToDouble(" 4500.5 "), 4500.5);
    EXPECT_EQ(TextToSingle(SingleToText(4500.5f)), 4500.5f);
    EXPECT_FALSE(TextToDouble("4500,5"));
    EXPECT_EQ(TextToInteger("2.5"), 2);  // half to even
    EXPECT_EQ(TextToLong("-3.5"), -4);
    EXPECT_FALSE(TextToInteger("32767.5"));
    EXPECT_EQ(TextToBoolean("0.5"), true);
}

}  // namespace

#include "charts/chart_address.h"

#include <gtest/gtest.h>

#include "settings/service_hosts.h"

namespace {

TEST(ChartAddress, EachPeriodHasItsHostAndPath) {
    ServiceHosts hosts;
    hosts.ChartHostA = "a.invalid";
    hosts.ChartHostB = "b.invalid:81";
    struct Case {
        const char *period, *symbol, *address;
    };
    const Case cases[] = {
        {"1 Day", "IBM", "http://a.invalid/t?s=IBM"},
        {"5 Day", "IBM", "http://a.invalid/v?s=IBM"},
        {"5 Day", "ibm", "http://a.invalid/v?s=ibm"},
        {"1 Year", "IBM", "http://b.invalid:81/c/0b/i/ibm.gif"},
        {"1 Year", "MsFt", "http://b.invalid:81/c/0b/m/msft.gif"},
        {"1 Day", "S&P 500", "http://a.invalid/t?s=S&P 500"},
        {"1 Year", "", "http://b.invalid:81/c/0b//.gif"},
        {"1 year", "IBM", ""},
        {"", "IBM", ""},
        {"3 Month", "IBM", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChartAddress(hosts, c.period, c.symbol), c.address) << c.period << " " << c.symbol;
}

}  // namespace

#pragma once
// Where the chart service keeps the image of a symbol over a period.

#include <string>

struct ServiceHosts;

// "1 Day" and "5 Day" are served by chart host A, "1 Year" by chart host B, whose path
// alone lowers the symbol's case; the symbol is not escaped. Any other period caption
// gives empty text, an address that no fetch can reach.
std::string ChartAddress(const ServiceHosts& hosts, const std::string& period,
                         const std::string& symbol);

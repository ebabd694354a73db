#include "charts/chart_address.h"

#include "platform/text_case.h"
#include "settings/service_hosts.h"

std::string ChartAddress(const ServiceHosts& hosts, const std::string& period,
                         const std::string& symbol) {
    if (period == "1 Day") return "http://" + hosts.ChartHostA + "/t?s=" + symbol;
    if (period == "5 Day") return "http://" + hosts.ChartHostA + "/v?s=" + symbol;
    if (period == "1 Year") {
        const std::string lower = LCase(symbol);
        return "http://" + hosts.ChartHostB + "/c/0b/" + FirstCharacter(lower) + "/" + lower +
               ".gif";
    }
    return {};
}

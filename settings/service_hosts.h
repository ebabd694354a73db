#pragma once
// The hosts of the quote, chart, research and maker services, read from vesk-ticker.conf in
// the program folder:
//
//   [Hosts]
//   QuoteHost=127.0.0.1:8317
//
// Each key holds a host name or host:port; a missing file or key takes kDefaultServiceHost.

#include <optional>
#include <string>

inline constexpr const char* kServiceHostsFileName = "vesk-ticker.conf";
inline constexpr const char* kDefaultServiceHost = "127.0.0.1:8317";

struct ServiceHosts {
    std::string QuoteHost = kDefaultServiceHost;
    std::string ChartHostA = kDefaultServiceHost;
    std::string ChartHostB = kDefaultServiceHost;
    std::string ResearchHost = kDefaultServiceHost;
    std::string ChartPageHost = kDefaultServiceHost;
    std::string MessageBoardHost = kDefaultServiceHost;
    std::string MakerHost = kDefaultServiceHost;
    std::string MakerWebHost = kDefaultServiceHost;
};

struct ServiceHostsLoad {
    ServiceHosts hosts;
    // For the user, once: why some or all hosts are the built-in ones. Empty when the file
    // was read cleanly or is absent.
    std::optional<std::string> problem;
};

// A file that cannot be read or parsed gives all defaults. A value that is not a host name
// (letters, digits, '.', '-') with an optional ":port" (1 to 65535) gives that key's default.
// Other keys and sections are ignored; of a key given twice the last counts.
ServiceHostsLoad LoadServiceHosts(const std::string& programFolder);

#include "settings/service_hosts.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "platform/core/text_trim.h"

namespace {

constexpr std::string_view kSection = "Hosts";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct HostKey {
    std::string_view name;
    std::string ServiceHosts::*member;
};

const HostKey kHostKeys[] = {
    {"QuoteHost", &ServiceHosts::QuoteHost},
    {"ChartHostA", &ServiceHosts::ChartHostA},
    {"ChartHostB", &ServiceHosts::ChartHostB},
    {"ResearchHost", &ServiceHosts::ResearchHost},
    {"ChartPageHost", &ServiceHosts::ChartPageHost},
    {"MessageBoardHost", &ServiceHosts::MessageBoardHost},
    {"MakerHost", &ServiceHosts::MakerHost},
    {"MakerWebHost", &ServiceHosts::MakerWebHost},
};

bool isHostName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '.' && c != '-') return false;
    }
    return true;
}

bool isPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    unsigned port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc{} && end == text.data() + text.size() && port >= 1 && port <= 65535;
}

bool isServiceHost(std::string_view value) {
    const auto colon = value.find(':');
    if (colon == std::string_view::npos) return isHostName(value);
    return isHostName(value.substr(0, colon)) && isPort(value.substr(colon + 1));
}

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

struct Parse {
    std::vector<Entry> entries;
    int malformedLine = 0;  // the first line that is none of the INI forms, from 1
};

Parse parseIni(std::istream& in) {
    Parse parse;
    std::string section;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string_view text = line;
        if (number == 1 && text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        text = Trimmed(text);
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        if (text.front() == '[' && text.back() == ']') {
            section = Trimmed(text.substr(1, text.size() - 2));
            continue;
        }
        const auto equals = text.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view{} : Trimmed(text.substr(0, equals));
        if (key.empty()) {
            parse.malformedLine = number;
            return parse;
        }
        const std::string_view value = Trimmed(text.substr(equals + 1));
        parse.entries.push_back({section, std::string(key), std::string(value)});
    }
    return parse;
}

std::string unreadable(const std::string& path, int line) {
    const std::string where = line > 0 ? " (line " + std::to_string(line) + ")" : "";
    return "The service hosts in " + path + " could not be read" + where +
           ". Vesk Ticker uses its built-in hosts.";
}

const Entry* lastEntry(const std::vector<Entry>& entries, std::string_view key) {
    const Entry* last = nullptr;
    for (const Entry& entry : entries)
        if (entry.section == kSection && entry.key == key) last = &entry;
    return last;
}

}  // namespace

ServiceHostsLoad LoadServiceHosts(const std::string& programFolder) {
    const std::filesystem::path file = std::filesystem::path(programFolder) / kServiceHostsFileName;
    const std::string path = file.string();
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return {};
    std::ifstream in(file, std::ios::binary);
    if (!std::filesystem::is_regular_file(file, error) || !in) return {{}, unreadable(path, 0)};
    const Parse parse = parseIni(in);
    if (in.bad()) return {{}, unreadable(path, 0)};
    if (parse.malformedLine > 0) return {{}, unreadable(path, parse.malformedLine)};

    ServiceHostsLoad load;
    std::string rejected;
    for (const HostKey& key : kHostKeys) {
        const Entry* entry = lastEntry(parse.entries, key.name);
        if (!entry) continue;
        if (isServiceHost(entry->value))
            load.hosts.*key.member = entry->value;
        else
            rejected += (rejected.empty() ? "" : ", ") + std::string(key.name);
    }
    if (!rejected.empty())
        load.problem = "These service hosts in " + path + " are not a host name or host:port: " +
                       rejected + ". Vesk Ticker uses its built-in hosts for them.";
    return load;
}

#include "command_line.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>

namespace {

std::optional<long long> Number(const std::string& text, long long lowest, long long highest) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::vector<std::string> CommaList(const std::string& text) {
    std::vector<std::string> items;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

}  // namespace

const char kUsage[] =
    "usage: vesk-quote-service [--port N] [--seed N] [--version-text TEXT]\n"
    "                          [--symbols-unknown A,B,...] [--latency-ms N] [--drop] [--empty]\n"
    "                          [--no-commas] [--status N] [--huge] [--trickle]\n"
    "Listens on 127.0.0.1 (port 8317 unless told; 0 picks a free one). The reply knobs apply\n"
    "to every request; tests can ask for one reply with latency=N, drop=1, empty=1,\n"
    "nocommas=1, status=N, huge=1 or trickle=1 in its query.\n";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    const std::pair<std::string_view, bool ReplyKnobs::*> switches[] = {
        {"--drop", &ReplyKnobs::drop},
        {"--empty", &ReplyKnobs::empty},
        {"--no-commas", &ReplyKnobs::no_commas},
        {"--huge", &ReplyKnobs::huge},
        {"--trickle", &ReplyKnobs::trickle}};
    CommandLine line;
    ServiceOptions& options = line.options;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& flag = arguments[i];
        const bool has_value = i + 1 < arguments.size();
        const auto number = [&](long long lowest, long long highest) {
            const auto parsed = has_value ? Number(arguments[++i], lowest, highest) : std::nullopt;
            if (!parsed) {
                line.error = flag + " wants a number from " + std::to_string(lowest) + " to " +
                             std::to_string(highest);
            }
            return parsed.value_or(0);
        };
        const auto is_switch = [&](const auto& entry) { return entry.first == flag; };
        if (const auto found = std::find_if(std::begin(switches), std::end(switches), is_switch);
            found != std::end(switches)) {
            options.knobs.*(found->second) = true;
        } else if (flag == "--help" || flag == "-h") {
            line.wants_help = true;
        } else if (flag == "--port") {
            options.port = static_cast<int>(number(0, 65535));
        } else if (flag == "--seed") {
            options.seed = static_cast<std::uint64_t>(number(0, INT64_MAX));
        } else if (flag == "--latency-ms") {
            options.knobs.latency_ms = static_cast<int>(number(0, kMaxLatencyMs));
        } else if (flag == "--status") {
            options.knobs.status = static_cast<int>(number(100, 599));
        } else if (flag == "--version-text" && has_value) {
            options.version_text = arguments[++i];
        } else if (flag == "--symbols-unknown" && has_value) {
            for (std::string& symbol : CommaList(arguments[++i]))
                options.unknown_symbols.push_back(std::move(symbol));
        } else {
            line.error = "unknown flag or missing value: " + flag;
        }
    }
    return line;
}

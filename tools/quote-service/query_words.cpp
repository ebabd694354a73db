#include "query_words.h"

#include <array>
#include <charconv>

namespace {

constexpr std::array<std::string_view, 15> kKeys = {"s",     "f",        "e",      "d",       "action",
                                                    "board", "n",        "to",     "latency", "drop",
                                                    "empty", "nocommas", "status", "huge",    "trickle"};

// The redirect target is a whole URL with a query of its own, so it runs to the end.
constexpr std::string_view kRestWord = "to=";

bool StartsWord(std::string_view text) {
    for (std::string_view key : kKeys)
        if (text.size() > key.size() && text.starts_with(key) && text[key.size()] == '=') return true;
    return false;
}

std::size_t WordEnd(std::string_view query, std::size_t start) {
    if (query.substr(start).starts_with(kRestWord)) return query.size();
    std::size_t amp = query.find('&', start);
    while (amp != std::string_view::npos && !StartsWord(query.substr(amp + 1)))
        amp = query.find('&', amp + 1);
    return amp == std::string_view::npos ? query.size() : amp;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0) {
            decoded.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            decoded.push_back(text[i]);
        }
    }
    return decoded;
}

std::string PercentEncode(std::string_view text, std::string_view also) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F || c == '%' || also.find(c) != std::string_view::npos) {
            encoded += '%';
            encoded += kDigits[byte >> 4];
            encoded += kDigits[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

QueryWords::QueryWords(std::string_view target) {
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos) return;
    const std::string decoded = PercentDecode(target.substr(mark + 1));
    const std::string_view query(decoded);
    for (std::size_t start = 0; start < query.size();) {
        const std::size_t end = WordEnd(query, start);
        const std::string_view word = query.substr(start, end - start);
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            words_.emplace(word, "");
        else
            words_.emplace(word.substr(0, equals), word.substr(equals + 1));
        start = end + 1;
    }
}

bool QueryWords::Has(std::string_view key) const { return words_.find(key) != words_.end(); }

std::string QueryWords::Get(std::string_view key) const {
    const auto found = words_.find(key);
    return found == words_.end() ? std::string() : found->second;
}

int QueryWords::Number(std::string_view key) const {
    const std::string text = Get(key);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

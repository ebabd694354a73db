#pragma once
// The words of a request's query. The ticker sends its symbols unencoded, so a symbol may hold
// '&' (and, once decoded, spaces): the query splits at '&' only where a word of ours follows.

#include <map>
#include <string>
#include <string_view>

class QueryWords {
public:
    // target: the request target as sent, path and query.
    explicit QueryWords(std::string_view target);

    bool Has(std::string_view key) const;
    std::string Get(std::string_view key) const;  // empty when absent
    int Number(std::string_view key) const;       // 0 when absent or not a whole number

private:
    std::map<std::string, std::string, std::less<>> words_;
};

std::string PercentDecode(std::string_view text);
// Escapes '%', spaces, control and non-ASCII bytes, and every byte listed in also.
std::string PercentEncode(std::string_view text, std::string_view also);

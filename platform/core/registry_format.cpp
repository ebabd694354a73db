#include "platform/core/registry_format.h"

#include <charconv>

#include "platform/core/registry.h"
#include "platform/core/text_trim.h"

namespace {

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kHeader =
    "; Vesk Ticker settings: one [key] section per key, then its values. "
    "Edit only while Vesk Ticker is closed.\n";

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void AppendHex(std::string& out, uint32_t number, size_t minDigits) {
    char digits[8];
    const size_t count = size_t(std::to_chars(digits, digits + 8, number, 16).ptr - digits);
    out.append(minDigits > count ? minDigits - count : 0, '0').append(digits, count);
}

bool IsStoredText(const RegistryValue& value) {
    const auto& bytes = value.data;
    return value.type == REG_SZ && !bytes.empty() && bytes.back() == 0 &&
           FitsOnOneLine({reinterpret_cast<const char*>(bytes.data()), bytes.size() - 1});
}

void AppendData(std::string& out, const RegistryValue& value) {
    const auto& bytes = value.data;
    if (IsStoredText(value)) {
        AppendQuoted(out, {reinterpret_cast<const char*>(bytes.data()), bytes.size() - 1});
    } else if (value.type == REG_DWORD && bytes.size() == 4) {
        out += "dword:";
        AppendHex(out, bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24, 8);
    } else {
        out += "hex(";
        AppendHex(out, value.type, 1);
        out += "):";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0) out += ',';
            AppendHex(out, bytes[i], 2);
        }
    }
}

bool TakePrefix(std::string_view& rest, std::string_view prefix) {
    if (!rest.starts_with(prefix)) return false;
    rest.remove_prefix(prefix.size());
    return true;
}

// Why a parse step failed, or nullptr when it did not.
using Failure = const char*;

Failure TakeQuoted(std::string_view& rest, std::string& text) {
    for (size_t i = 1; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return nullptr;
        }
        if (c == '\\' && i + 1 < rest.size()) {
            c = rest[++i];
            if (c != '\\' && c != '"') return "only \\\\ and \\\" may follow a backslash";
        }
        if (!FitsOnOneLine({&c, 1})) return "a quoted text holds a control character";
        text += c;
    }
    return "a quoted text is not closed";
}

std::optional<uint32_t> ParseHexNumber(std::string_view digits) {
    uint32_t number = 0;
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

Failure ParseHexBytes(std::string_view rest, std::vector<uint8_t>& bytes) {
    while (!rest.empty()) {
        const auto byte = ParseHexNumber(rest.substr(0, 2));
        if (rest.size() < 2 || !byte) return "a hex byte is not two hex digits";
        bytes.push_back(static_cast<uint8_t>(*byte));
        rest.remove_prefix(2);
        if (!rest.empty() && (!TakePrefix(rest, ",") || rest.empty()))
            return "hex bytes must be separated by single commas";
    }
    return nullptr;
}

Failure ParseData(std::string_view rest, RegistryValue& value) {
    if (rest.starts_with('"')) {
        std::string text;
        if (const Failure failure = TakeQuoted(rest, text)) return failure;
        if (!rest.empty()) return "there is more after the closing quote";
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return nullptr;
    }
    if (TakePrefix(rest, "dword:")) {
        const auto number = rest.size() == 8 ? ParseHexNumber(rest) : std::nullopt;
        if (!number) return "a dword value needs exactly eight hex digits";
        value.type = REG_DWORD;
        value.data = {uint8_t(*number), uint8_t(*number >> 8), uint8_t(*number >> 16),
                      uint8_t(*number >> 24)};
        return nullptr;
    }
    if (TakePrefix(rest, "hex(")) {
        const size_t close = rest.find("):");
        const auto type = ParseHexNumber(rest.substr(0, close));
        if (close == std::string_view::npos || !type) return "hex( must hold a hex type and end in ):";
        value.type = *type;
        return ParseHexBytes(rest.substr(close + 2), value.data);
    }
    return "a value must be \"text\", dword:number or hex(type):bytes";
}

Failure ParseSection(std::string_view line, KeyTable& keys, KeyTable::iterator& section) {
    if (!line.ends_with(']')) return "a [key] section line must end in ]";
    std::string_view path = line.substr(1, line.size() - 2);
    if (!TakePrefix(path, kRootName) || (!path.empty() && !TakePrefix(path, "\\")))
        return "a key must lie under HKEY_CURRENT_USER";
    const auto key = KeyPath("", path);
    if (!key)
        return "a key name is empty, too long or holds a control character, or the key lies too deep";
    section = keys.try_emplace(*key).first;
    return nullptr;
}

Failure ParseValue(std::string_view line, RegistryValues& values) {
    std::string name;
    if (!TakePrefix(line, "@")) {
        if (const Failure failure = TakeQuoted(line, name)) return failure;
        if (!IsValueName(name)) return "a value name is longer than 16383 characters";
    }
    if (!TakePrefix(line, "=")) return "a value name must be followed by =";
    RegistryValue value;
    if (const Failure failure = ParseData(line, value)) return failure;
    values.insert_or_assign(std::move(name), std::move(value));
    return nullptr;
}

// The section the values that follow belong to: none yet, one, or one whose line was bad.
struct Section {
    std::optional<KeyTable::iterator> key;
    bool unreadable = false;
};

Failure ParseLine(std::string_view line, KeyTable& keys, Section& section) {
    if (line.empty() || line.starts_with(';')) return nullptr;
    if (line.starts_with('[')) {
        KeyTable::iterator key;
        const Failure failure = ParseSection(line, keys, key);
        section = failure ? Section{std::nullopt, true} : Section{key, false};
        return failure;
    }
    if (!line.starts_with('"') && !line.starts_with('@'))
        return "the line is neither a [key] section, a value nor a ; comment";
    if (section.unreadable) return "the value's [key] section could not be read";
    if (!section.key) return "a value comes before any [key] section";
    return ParseValue(line, (*section.key)->second);
}

bool IsHexValue(std::string_view line) {
    std::string name;
    if (!TakePrefix(line, "@") && (!line.starts_with('"') || TakeQuoted(line, name))) return false;
    return TakePrefix(line, "=") && line.starts_with("hex(");
}

void AppendSection(std::string& out, std::string_view path) {
    out += '[';
    out += kRootName;
    if (!path.empty()) out += '\\';
    out += path;
    out += "]\n";
}

void AppendValue(std::string& out, std::string_view name, const RegistryValue& value) {
    if (name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, name);
    }
    out += '=';
    AppendData(out, value);
    out += '\n';
}

}  // namespace

std::string FormatRegistryFile(const KeyTable& keys) {
    std::string out(kHeader);
    for (const auto& [path, values] : keys) {
        out += '\n';
        AppendSection(out, path);
        for (const auto& [name, value] : values) AppendValue(out, name, value);
    }
    return out;
}

std::string FormatChange(const KeyChange& change) {
    std::string out;
    AppendSection(out, change.key);
    if (change.value) AppendValue(out, change.name, *change.value);
    return out;
}

std::vector<std::string> ParseRegistryFile(std::string_view text, KeyTable& keys) {
    std::vector<std::string> problems;
    TakePrefix(text, "\xEF\xBB\xBF");  // left by editors that mark UTF-8 text
    Section section;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (const Failure failure = ParseLine(Trimmed(line), keys, section))
            problems.push_back("line " + std::to_string(lineNumber) + ": " + failure);
    }
    return problems;
}

std::string_view WithoutCutLastLine(std::string_view text) {
    if (text.empty() || text.back() == '\n') return text;
    const size_t start = text.rfind('\n') + 1;  // 0 when there is no line end at all
    const std::string_view line = Trimmed(text.substr(start));
    KeyTable scratch;
    Section section{scratch.try_emplace("").first, false};
    const bool whole = !ParseLine(line, scratch, section) && !IsHexValue(line);
    return whole ? text : text.substr(0, start);
}

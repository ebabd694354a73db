#include "platform/core/ansi.h"

#include <array>
#include <optional>

namespace {

// The characters of bytes 0x80 ... 0x9F; every other byte is the code point of its own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kReplacement = '?';

char32_t CharacterOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t{byte};
}

char ByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (size_t index = 0; index < kHighControls.size(); ++index) {
        if (kHighControls[index] == character) return static_cast<char>(0x80 + index);
    }
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// Decodes one character at text[at] and moves at past it. A malformed sequence yields no
// character and is skipped as far as it looked well-formed, so that it becomes one '?'.
std::optional<char32_t> NextCharacter(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;

    int continuations = 0;
    unsigned char low = 0x80;   // bounds of the second byte rule out overlong forms,
    unsigned char high = 0xBF;  // surrogates and code points past U+10FFFF
    char32_t character = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        character = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        character = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return std::nullopt;
    }

    for (int index = 0; index < continuations; ++index) {
        if (at >= text.size()) return std::nullopt;
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < low || byte > high) return std::nullopt;
        low = 0x80;
        high = 0xBF;
        character = (character << 6) | (byte & 0x3F);
        ++at;
    }
    return character;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char byte : ansi) AppendUtf8(out, CharacterOf(static_cast<unsigned char>(byte)));
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        const std::optional<char32_t> character = NextCharacter(utf8, at);
        out += character ? ByteOf(*character) : kReplacement;
    }
    return out;
}

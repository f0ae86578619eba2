#include "text/cp1251.h"

#include <array>
#include <cstdint>

namespace mirelta::cp1251 {
namespace {

// Unicode code points of bytes 0x80-0xBF; 0xC0-0xFF are А..я in order. The one unassigned byte
// (0x98) keeps its C1 code point so that conversions round-trip.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t codePoint(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        return kHighHalf[byte - 0x80];
    }
    return 0x0410 + (byte - 0xC0);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char byteFor(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<char>(cp);
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        return static_cast<char>(0xC0 + (cp - 0x0410));
    }
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Decodes one UTF-8 sequence at `pos`; returns U+FFFD (which has no byte) for malformed input.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    return cp;
}

constexpr std::array<unsigned char, 256> makeUpperTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(i);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        table[c] = static_cast<unsigned char>(c - 'a' + 'A');
    }
    for (int c = 0xE0; c <= 0xFF; ++c) {
        table[c] = static_cast<unsigned char>(c - 0x20);
    }
    // The other Cyrillic letters, lower case to upper case.
    constexpr std::array<std::array<unsigned char, 2>, 15> pairs = {{{0xB8, 0xA8},
                                                                     {0x90, 0x80},
                                                                     {0x83, 0x81},
                                                                     {0x9A, 0x8A},
                                                                     {0x9C, 0x8C},
                                                                     {0x9D, 0x8D},
                                                                     {0x9E, 0x8E},
                                                                     {0x9F, 0x8F},
                                                                     {0xA2, 0xA1},
                                                                     {0xBC, 0xA3},
                                                                     {0xB4, 0xA5},
                                                                     {0xBA, 0xAA},
                                                                     {0xBF, 0xAF},
                                                                     {0xB3, 0xB2},
                                                                     {0xBE, 0xBD}}};
    for (const auto& [lower, upper] : pairs) {
        table[lower] = upper;
    }
    return table;
}

constexpr auto kUpper = makeUpperTable();

} // namespace

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        appendUtf8(out, codePoint(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        out += byteFor(nextCodePoint(utf8, pos));
    }
    return out;
}

char toUpper(char byte) {
    return static_cast<char>(kUpper[static_cast<unsigned char>(byte)]);
}

std::string toUpper(std::string_view bytes) {
    std::string out(bytes);
    for (char& byte : out) {
        byte = toUpper(byte);
    }
    return out;
}

std::string normaliseLineBreaks(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace mirelta::cp1251

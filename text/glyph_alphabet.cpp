#include "text/glyph_alphabet.h"

#include "text/cp1251.h"

#include <array>

namespace mirelta {
namespace {

constexpr std::array<unsigned char, kGlyphCount> kAlphabet = {
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xA8, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE,
    0xCF, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE,
    0xDF, '!',  '?',  '.',  ',',  '=',  'A',  'B',  'C',  'D',  'E',  'F',  'G',  'H',  'I',  'J',
    'K',  'L',  'M',  'N',  'O',  'P',  'Q',  'R',  'S',  'T',  'U',  'V',  'W',  'X',  'Y',  'Z'};

} // namespace

// Glyph index by upper-case byte; kGlyphCount for a byte without a glyph.
constexpr std::array<unsigned char, 256> kIndexOfByte = [] {
    std::array<unsigned char, 256> index{};
    index.fill(kGlyphCount);
    for (int i = 0; i < kGlyphCount; ++i) {
        index[kAlphabet[i]] = static_cast<unsigned char>(i);
    }
    return index;
}();

std::optional<int> glyphIndex(char byte, int searched) {
    const auto upper = static_cast<unsigned char>(cp1251::toUpper(byte));
    const int index = kIndexOfByte[upper];
    if (index >= kGlyphCount || index >= searched) {
        return std::nullopt;
    }
    return index;
}

char glyphCharacter(int index) {
    return index >= 0 && index < kGlyphCount ? static_cast<char>(kAlphabet[index]) : '\0';
}

} // namespace mirelta

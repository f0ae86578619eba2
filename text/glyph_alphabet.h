#pragma once
// The characters that have a glyph strip, by glyph index: the Russian capitals with Ё after Е
// (0-32), the signs ! ? . , = (33-37) and the Latin capitals (38-63).

#include <optional>

namespace mirelta {

inline constexpr int kGlyphCount = 64;
// Names inserted into a sentence are looked up among the Russian letters and signs only.
inline constexpr int kNameGlyphCount = 38;

// Glyph index of a Windows-1251 character, looked up by its upper-case form among the first
// `searched` glyphs.
std::optional<int> glyphIndex(char byte, int searched = kGlyphCount);

// The Windows-1251 character of a glyph index.
char glyphCharacter(int index);

} // namespace mirelta

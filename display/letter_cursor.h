#pragma once
// Where a session stands in the letters table, and which glyph picture style it draws with. The
// session moves it; the display actions read it to know which sentence, row and style to show.

#include <cstdint>

namespace mirelta {

struct LetterCursor {
    std::int32_t thesis = 0;
    std::int32_t sentence = 0;
    std::int32_t line = 0;       // the sentence grid's row
    std::int32_t glyphFrame = 0; // the frame of each glyph strip: the letters' style
};

} // namespace mirelta

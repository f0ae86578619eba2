#pragma once
// Where a session stands and what it carries from one tick to the next. The session writes it
// (the engine, and the window's session host as it prepares one); the features that choose and
// edit the suggestion hand it the parsed tables instead.

#include "display/letter_cursor.h"

#include <array>
#include <cstdint>

namespace mirelta {

inline constexpr int kColourCount = 17;

// Colours as 0x00BBGGRR; a value with the top bit set names a system colour by its number.
using ColourTable = std::array<std::uint32_t, kColourCount>;

// The colours of the frame rings, in the order the session picks them by index.
inline constexpr ColourTable kFrameColours = {
    0x00FFFFFF, 0x00000080, 0x00008000, 0x00008080, 0x00800000, 0x00800080,
    0x00808000, 0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF0000, 0x00FF00FF,
    0x00FFFF00, 0x00C0DCC0, 0x00F0CAA6, 0x80000002, 0x80000001};

struct SessionState {
    std::int32_t repeatsDone = 0;
    std::int32_t sentenceLength = 0;
    std::int32_t sentenceCount = 0;
    std::int32_t thesisCount = 0;
    std::int32_t loadedThesis = 0;
    LetterCursor cursor;
    std::int32_t stepCount = 0;
    std::int32_t colourIndex = 0;
    std::int32_t frameOffset = 0;
    ColourTable colours{};
    // 1 once the first preparation run of a session has ended: from then on each thesis that is
    // located starts the colour or the grey timer by its own scenario's colour.
    std::uint8_t thesisOpen = 0;
};

} // namespace mirelta

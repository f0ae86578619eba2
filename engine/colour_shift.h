#pragma once
// The colour shifts of the background picture: every pixel's red, green and blue bytes are raised
// (phase 1) or lowered (phase 2) by the low bytes of the shift values, wrapping around, over and
// over, so the picture drifts through colours. The grey form turns each shifted pixel grey.

#include <QImage>
#include <cstdint>

namespace mirelta {

struct ShiftValues {
    std::int32_t raiseR = 0, raiseG = 0, raiseB = 0;
    std::int32_t lowerR = 0, lowerG = 0, lowerB = 0;
};

// One pass over rows 0 ... rows - 1 and columns 0 ... columns - 1 of a 24-bit picture (blue,
// green, red in memory), cut to the picture's size.
void colourShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns);

// The same shift, then v = round(0.3 r + 0.59 g + 0.11 b), ties to even, in all three channels.
// Two ways to the same bytes: arithmetic the compiler vectorises, on processors with AVX2, and
// table look-ups everywhere else. The tests compare both with greyOf.
enum class GreyMethod { Tables, Arithmetic };
GreyMethod fastestGreyMethod();
void greyShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns,
                   GreyMethod method = fastestGreyMethod());

// The gentle session's drift: a sixteenth of each shift value's low byte, added or taken away,
// stopping at 0 and 255 instead of wrapping around, so that the colours wander a little at each
// step and never jump; the grey form then makes each pixel grey as above.
void gentleShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns,
                     bool grey);

// weighted / 100 rounded to the nearest whole number, ties to even.
inline std::uint8_t roundedHundredths(int weighted) {
    int grey = weighted / 100;
    const int rest = weighted % 100;
    if (rest > 50 || (rest == 50 && grey % 2 == 1)) {
        ++grey;
    }
    return static_cast<std::uint8_t>(grey);
}

// round(0.3 r + 0.59 g + 0.11 b) with ties to even, computed exactly on whole numbers.
inline std::uint8_t greyOf(int r, int g, int b) {
    return roundedHundredths(30 * r + 59 * g + 11 * b);
}

} // namespace mirelta

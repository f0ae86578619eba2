#pragma once
// What a colour on the screen is to the eye, as the flash rules measure it: sRGB bytes taken to
// linear light, the relative luminance of a colour and how red it is.

#include <array>
#include <cstdint>

namespace mirelta {

// A colour as linear light, each channel 0 ... 1.
struct LinearColour {
    float red = 0;
    float green = 0;
    float blue = 0;
};

// The linear light of each sRGB byte: computed once, since every pixel of every frame goes
// through it three times.
const std::array<float, 256>& linearFromSrgb();
// The same in steps of 1/65535, for sums over many pixels in whole numbers.
inline constexpr double kLinearSteps = 65535.0;
const std::array<std::uint16_t, 256>& linearStepsFromSrgb();

inline LinearColour linearColour(int red, int green, int blue) {
    const std::array<float, 256>& linear = linearFromSrgb();
    return {linear[static_cast<unsigned>(red) & 0xFFu],
            linear[static_cast<unsigned>(green) & 0xFFu],
            linear[static_cast<unsigned>(blue) & 0xFFu]};
}

// Relative luminance, 0 (black) ... 1 (white).
inline double relativeLuminance(const LinearColour& colour) {
    return 0.2126 * colour.red + 0.7152 * colour.green + 0.0722 * colour.blue;
}

// How far the colour leans to red on the scale of the red flash rule: 0 for any colour that is
// not redder than its green and blue together, 320 for pure red.
inline double redness(const LinearColour& colour) {
    const double lean = colour.red - colour.green - colour.blue;
    return lean > 0 ? lean * 320.0 : 0.0;
}

// A saturated red: at least 80 % of the colour's light is in its red channel. Black is not red.
inline bool isSaturatedRed(const LinearColour& colour) {
    const double total = double(colour.red) + colour.green + colour.blue;
    return total > 0 && colour.red >= 0.8 * total;
}

} // namespace mirelta

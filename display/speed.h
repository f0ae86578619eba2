#pragma once
// How fast the letters stream ("Скорость"): the slower, the longer each letter stays on the
// screen and the bigger it is drawn. One table holds all that a speed decides.

#include <array>
#include <cstddef>

namespace mirelta {

enum class Speed { Fast, Medium, Slow }; // "Высокая", "Средняя", "Низкая"

struct SpeedLook {
    int letterStepMs;   // how long a letter step stays on the screen
    int bigLetterSide;  // the big letter's square, in pixels
    int bigLetterPlace; // its left and top on the panel, which centre it
    int matrixSide;     // the matrix block's side, in cells
};

inline constexpr std::array<SpeedLook, 3> kSpeedLooks = {{
    {17, 84, 171, 2},  // Fast
    {33, 126, 151, 4}, // Medium
    {50, 168, 131, 6}, // Slow
}};

constexpr const SpeedLook& lookOf(Speed speed) {
    return kSpeedLooks[static_cast<std::size_t>(speed)];
}

// The speed of the chosen item of "Скорость"; with no item chosen the letters stream at the
// middle speed.
constexpr Speed speedOfItem(int item) {
    return item == 0 ? Speed::Fast : item == 2 ? Speed::Slow : Speed::Medium;
}

} // namespace mirelta

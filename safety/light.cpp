#include "safety/light.h"

#include <cmath>

namespace mirelta {

const std::array<float, 256>& linearFromSrgb() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> values{};
        for (int byte = 0; byte < 256; ++byte) {
            const double v = byte / 255.0;
            values[static_cast<std::size_t>(byte)] =
                static_cast<float>(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return values;
    }();
    return table;
}

const std::array<std::uint16_t, 256>& linearStepsFromSrgb() {
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> values{};
        for (std::size_t byte = 0; byte < 256; ++byte) {
            values[byte] =
                static_cast<std::uint16_t>(std::lround(linearFromSrgb()[byte] * kLinearSteps));
        }
        return values;
    }();
    return table;
}

} // namespace mirelta

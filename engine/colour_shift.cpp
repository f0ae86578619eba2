#include "engine/colour_shift.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace mirelta {
namespace {

// The bytes added to one row: blue, green, red repeated, so that the inner loop is a plain
// byte-wise add the compiler vectorises.
std::vector<std::uint8_t> rowDelta(const ShiftValues& shift, int phase, int columns) {
    const bool raise = phase == 1;
    const std::array<std::uint8_t, 3> pixel = {
        static_cast<std::uint8_t>(raise ? shift.raiseB : -shift.lowerB),
        static_cast<std::uint8_t>(raise ? shift.raiseG : -shift.lowerG),
        static_cast<std::uint8_t>(raise ? shift.raiseR : -shift.lowerR)};
    std::vector<std::uint8_t> delta(static_cast<std::size_t>(columns) * 3);
    for (std::size_t i = 0; i < delta.size(); ++i) {
        delta[i] = pixel[i % 3];
    }
    return delta;
}

bool usable(const QImage& picture) {
    return !picture.isNull() && picture.format() == QImage::Format_BGR888;
}

// Four table look-ups a pixel: the shift folded into per-channel tables of weighted values, the
// rounding into one table over every weighted sum. For processors without AVX2.
void greyRowsByTables(QImage& picture, const std::vector<std::uint8_t>& delta, int rows,
                      int columns) {
    std::array<std::uint16_t, 256> red{}, green{}, blue{};
    for (int value = 0; value < 256; ++value) {
        blue[value] = static_cast<std::uint16_t>(11 * static_cast<std::uint8_t>(value + delta[0]));
        green[value] = static_cast<std::uint16_t>(59 * static_cast<std::uint8_t>(value + delta[1]));
        red[value] = static_cast<std::uint16_t>(30 * static_cast<std::uint8_t>(value + delta[2]));
    }
    static const std::vector<std::uint8_t> rounded = [] {
        std::vector<std::uint8_t> table(100 * 255 + 1);
        for (std::size_t weighted = 0; weighted < table.size(); ++weighted) {
            table[weighted] = roundedHundredths(static_cast<int>(weighted));
        }
        return table;
    }();
    const auto greyAt = [&](const std::uint8_t* pixel) -> std::uint32_t {
        return rounded[blue[pixel[0]] + green[pixel[1]] + red[pixel[2]]];
    };
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* pixel = picture.scanLine(y);
        int x = 0;
        // Two pixels at a time: both read before the six bytes are written as a word and a half.
        for (; x + 1 < columns; x += 2, pixel += 6) {
            const std::uint32_t first = greyAt(pixel);
            const std::uint32_t second = greyAt(pixel + 3);
            const std::uint32_t word = qToLittleEndian(first * 0x010101u | (second << 24));
            const auto half = qToLittleEndian(static_cast<std::uint16_t>(second * 0x0101u));
            std::memcpy(pixel, &word, sizeof word);
            std::memcpy(pixel + 4, &half, sizeof half);
        }
        if (x < columns) {
            pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(greyAt(pixel));
        }
    }
}

// Plain arithmetic with no look-up and no branch, which the compiler vectorises for AVX2: the
// weighted sum plus a half, divided by 100 (a multiplication), and a tie (an exact division of
// the raised sum) taken back down when it landed on an odd value.
__attribute__((target("avx2"))) void greyRowsByArithmetic(QImage& picture,
                                                          const std::vector<std::uint8_t>& delta,
                                                          int rows, int columns) {
    const std::uint8_t addB = delta[0], addG = delta[1], addR = delta[2];
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* line = picture.scanLine(y);
        for (int x = 0; x < columns; ++x) {
            std::uint8_t* pixel = line + std::ptrdiff_t{3} * x;
            // 30 r + 59 g + 11 b + 50 is at most 25,550: sixteen bits carry it.
            const auto b = static_cast<std::uint16_t>(static_cast<std::uint8_t>(pixel[0] + addB));
            const auto g = static_cast<std::uint16_t>(static_cast<std::uint8_t>(pixel[1] + addG));
            const auto r = static_cast<std::uint16_t>(static_cast<std::uint8_t>(pixel[2] + addR));
            const auto raised = static_cast<std::uint16_t>(30 * r + 59 * g + 11 * b + 50);
            auto grey = static_cast<std::uint16_t>(raised / 100);
            grey -= static_cast<std::uint16_t>(raised == grey * 100) & grey;
            pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(grey);
        }
    }
}

} // namespace

void colourShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns) {
    if (!usable(picture)) {
        return;
    }
    rows = std::clamp(rows, 0, picture.height());
    columns = std::clamp(columns, 0, picture.width());
    const std::vector<std::uint8_t> delta = rowDelta(shift, phase, columns);
    const std::size_t bytes = delta.size();
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* line = picture.scanLine(y);
        for (std::size_t i = 0; i < bytes; ++i) {
            line[i] = static_cast<std::uint8_t>(line[i] + delta[i]);
        }
    }
}

GreyMethod fastestGreyMethod() {
    static const GreyMethod method =
        __builtin_cpu_supports("avx2") ? GreyMethod::Arithmetic : GreyMethod::Tables;
    return method;
}

void greyShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns,
                   GreyMethod method) {
    if (!usable(picture)) {
        return;
    }
    rows = std::clamp(rows, 0, picture.height());
    columns = std::clamp(columns, 0, picture.width());
    const std::vector<std::uint8_t> delta = rowDelta(shift, phase, 1);
    if (method == GreyMethod::Arithmetic && fastestGreyMethod() == GreyMethod::Arithmetic) {
        greyRowsByArithmetic(picture, delta, rows, columns);
    } else {
        greyRowsByTables(picture, delta, rows, columns);
    }
}

void gentleShiftPass(QImage& picture, const ShiftValues& shift, int phase, int rows, int columns,
                     bool grey) {
    if (!usable(picture)) {
        return;
    }
    rows = std::min(rows, picture.height());
    columns = std::min(columns, picture.width());
    const bool raise = phase == 1;
    const auto step = [raise](std::int32_t value) {
        const int amount = (static_cast<std::uint32_t>(value) & 0xFFu) >> 4;
        return raise ? amount : -amount;
    };
    const std::array<int, 3> delta = {step(raise ? shift.raiseB : shift.lowerB),
                                      step(raise ? shift.raiseG : shift.lowerG),
                                      step(raise ? shift.raiseR : shift.lowerR)};
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* pixel = picture.scanLine(y);
        for (int x = 0; x < columns; ++x, pixel += 3) {
            for (std::size_t channel = 0; channel < 3; ++channel) {
                pixel[channel] =
                    static_cast<std::uint8_t>(std::clamp(pixel[channel] + delta[channel], 0, 255));
            }
            if (grey) {
                const std::uint8_t value = greyOf(pixel[2], pixel[1], pixel[0]);
                pixel[0] = pixel[1] = pixel[2] = value;
            }
        }
    }
}

} // namespace mirelta

#include "display/gentle_tone.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace mirelta {
namespace {

double linearOf(int byte) {
    const double v = byte / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// The largest byte whose linear value is at most `linear`: the band is never left by rounding.
int byteAtMost(double linear, const std::array<double, 256>& linearTable) {
    const auto above = std::upper_bound(linearTable.begin(), linearTable.end(), linear);
    return std::max(0, static_cast<int>(above - linearTable.begin()) - 1);
}

QRgb toneOf(int red, int green, int blue, const std::array<double, 256>& linearTable) {
    // Scaled as light is: the hue stays, the luminance goes into the band.
    const double r = linearTable[red] * kGentleMaxLuminance;
    const double g = linearTable[green] * kGentleMaxLuminance;
    const double b = linearTable[blue] * kGentleMaxLuminance;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    // Towards the colour's own grey, as little as keeps it from too much red: R - G - B at most
    // the red excess, and R at most three quarters of R + G + B (saturated red begins at 0.8).
    double keep = 1.0;
    const double excess = r - g - b;
    if (excess > kGentleMaxRedExcess) {
        keep = std::min(keep, (kGentleMaxRedExcess + y) / (excess + y));
    }
    const double share = 0.75 * (r + g + b) - 1.25 * y - r;
    if (share < 0) {
        keep = std::min(keep, 1.25 * y / -share);
    }
    const auto channel = [&](double value) {
        return byteAtMost(y + keep * (value - y), linearTable);
    };
    const int toRed = channel(r);
    const int toGreen = channel(g);
    const int toBlue = channel(b);
    // The darkest reds lose their green and blue to rounding first: those become grey.
    const double redLight = linearTable[toRed];
    if (redLight > 0 &&
        redLight >= 0.75 * (redLight + linearTable[toGreen] + linearTable[toBlue])) {
        const int grey = byteAtMost(y, linearTable);
        return qRgb(grey, grey, grey);
    }
    return qRgb(toRed, toGreen, toBlue);
}

// The tone of every colour at 6 bits a channel: one look-up a pixel. The band is dim enough that
// the steps of 4 in the input make at most one step in the output.
class ToneTable {
public:
    ToneTable() : table_(std::make_unique<QRgb[]>(kSize)) {
        std::array<double, 256> linearTable{};
        for (int byte = 0; byte < 256; ++byte) {
            linearTable[static_cast<std::size_t>(byte)] = linearOf(byte);
        }
        for (int index = 0; index < kSize; ++index) {
            const int red = expand(index >> 12);
            const int green = expand((index >> 6) & 63);
            const int blue = expand(index & 63);
            table_[static_cast<std::size_t>(index)] = toneOf(red, green, blue, linearTable);
        }
    }
    QRgb operator()(QRgb colour) const {
        const auto index =
            ((qRed(colour) >> 2) << 12) | ((qGreen(colour) >> 2) << 6) | (qBlue(colour) >> 2);
        return table_[static_cast<std::size_t>(index)];
    }

private:
    static constexpr int kSize = 1 << 18;
    // 6 bits back to a byte, 0 and 63 to 0 and 255.
    static int expand(int six) { return (six << 2) | (six >> 4); }
    std::unique_ptr<QRgb[]> table_;
};

const ToneTable& toneTable() {
    static const ToneTable table;
    return table;
}

} // namespace

QRgb gentleColour(QRgb colour) {
    return (toneTable()(colour) & 0x00FFFFFFu) | (colour & 0xFF000000u);
}

void toneDownFrame(QImage& frame) {
    if (frame.depth() != 32) {
        frame = frame.convertToFormat(QImage::Format_RGB32);
    }
    const ToneTable& table = toneTable();
    for (int y = 0; y < frame.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            pixels[x] = (table(pixels[x]) & 0x00FFFFFFu) | (pixels[x] & 0xFF000000u);
        }
    }
}

} // namespace mirelta

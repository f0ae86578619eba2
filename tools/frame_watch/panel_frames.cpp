#include "tools/frame_watch/panel_frames.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <vector>
#include <zlib.h>

namespace mirelta::framewatch {

namespace {

// The lowest bit of a mask and its width, so that a channel of any visual comes out as 0-255.
struct Channel {
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t mask) {
        if (mask == 0) {
            return;
        }
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }

    std::uint8_t of(std::uint32_t pixel) const {
        if (maximum == 0) {
            return 0;
        }
        const std::uint32_t value = (pixel >> shift) & maximum;
        return static_cast<std::uint8_t>(maximum == 0xFF ? value : value * 255 / maximum);
    }
};

} // namespace

Box centredPanel(int windowWidth, int windowHeight) {
    const double half = kPanelSize / 2.0;
    return {static_cast<int>(std::trunc(windowWidth / 2.0 - half)),
            static_cast<int>(std::trunc(windowHeight / 2.0 - half)), kPanelSize, kPanelSize};
}

std::optional<Box> parseBox(std::string_view text) {
    std::array<int, 4> values{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || next == at) {
            return std::nullopt;
        }
        at = next;
        if (i + 1 < values.size()) {
            if (at == end || *at != ',') {
                return std::nullopt;
            }
            ++at;
        }
    }
    if (at != end || values[0] < 0 || values[1] < 0 || values[2] <= 0 || values[3] <= 0) {
        return std::nullopt;
    }
    return Box{values[0], values[1], values[2], values[3]};
}

std::uint32_t pictureChecksum(const std::uint32_t* pixels, int width, int height,
                              std::size_t stride, const PixelLayout& layout) {
    const Channel red(layout.redMask);
    const Channel green(layout.greenMask);
    const Channel blue(layout.blueMask);
    std::vector<Bytef> row(static_cast<std::size_t>(width) * 3);
    uLong crc = crc32(0L, Z_NULL, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = pixels + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = source[x];
            row[static_cast<std::size_t>(x) * 3] = red.of(pixel);
            row[static_cast<std::size_t>(x) * 3 + 1] = green.of(pixel);
            row[static_cast<std::size_t>(x) * 3 + 2] = blue.of(pixel);
        }
        crc = crc32(crc, row.data(), static_cast<uInt>(row.size()));
    }
    return static_cast<std::uint32_t>(crc);
}

std::string checksumText(std::uint32_t checksum) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[checksum & 0xF];
        checksum >>= 4;
    }
    return text;
}

} // namespace mirelta::framewatch

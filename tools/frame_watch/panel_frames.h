#pragma once
// Where the panel lies on a window, when a damage rectangle covers it, and the checksum a panel
// frame is known by: kept apart from Xlib so that they can be checked without a server.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirelta::framewatch {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Box&) const = default;

    // Every pixel of `inner` is inside this box.
    bool contains(const Box& inner) const {
        return x <= inner.x && y <= inner.y && x + width >= inner.x + inner.width &&
               y + height >= inner.y + inner.height;
    }

    bool overlaps(const Box& other) const {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
               other.y < y + height;
    }
};

inline constexpr int kPanelSize = 425;

// The panel centred in a window the way the program places it: the left and top edges rounded
// towards zero from the exact centre.
Box centredPanel(int windowWidth, int windowHeight);

// "X,Y,W,H" with non-negative X and Y and positive W and H.
std::optional<Box> parseBox(std::string_view text);

// One 32-bit pixel with the colour masks of the visual it came from.
struct PixelLayout {
    std::uint32_t redMask = 0xFF0000;
    std::uint32_t greenMask = 0x00FF00;
    std::uint32_t blueMask = 0x0000FF;
};

// The CRC-32 (zlib's) of a picture given as rows of 32-bit pixels: every pixel, row by row from
// the top, as its three bytes red, green, blue. `stride` is the distance between rows in pixels.
std::uint32_t pictureChecksum(const std::uint32_t* pixels, int width, int height,
                              std::size_t stride, const PixelLayout& layout);

// The checksum as the frame lines write it: eight upper-case hexadecimal digits.
std::string checksumText(std::uint32_t checksum);

} // namespace mirelta::framewatch

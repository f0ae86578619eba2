#pragma once
// What a screenshot of the program says about how it was drawn on a screen of `scale` device
// pixels to a logical one: whether every logical pixel became a block of one colour (a picture
// enlarged without smoothing, a line one logical pixel wide), and how the screenshot, taken back
// to logical pixels, differs from one taken at scale 1. Kept apart from Xlib so that it can be
// checked without a server.

#include "tools/frame_watch/panel_frames.h"

#include <QImage>
#include <vector>

namespace mirelta::screencheck {

using framewatch::Box;

struct BlockCount {
    long long blocks = 0; // blocks looked at
    long long mixed = 0;  // of them, blocks not of one colour
};

// The blocks of scale × scale device pixels in `area` (logical pixels) that are not of one
// colour, leaving out the logical pixels inside any of `ignored`.
BlockCount mixedBlocks(const QImage& picture, const Box& area, int scale,
                       const std::vector<Box>& ignored = {});

// The picture at one pixel a block: the top left pixel of each block of scale × scale.
QImage logicalPicture(const QImage& picture, int scale);

struct Difference {
    long long compared = 0;
    long long differing = 0;
};

// The pixels of two pictures of one size that differ, leaving out those inside any of `ignored`.
Difference differingPixels(const QImage& reference, const QImage& other,
                           const std::vector<Box>& ignored = {});

// The CRC-32 of `area` of the picture as the program's frame log writes it.
std::uint32_t areaChecksum(const QImage& picture, const Box& area);

} // namespace mirelta::screencheck

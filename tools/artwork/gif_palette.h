// Reduces a picture to 256 colours for GIF: a median-cut palette made for the picture, then an
// ordered dither, which keeps soft skies free of bands without the crawling noise of error
// diffusion.
#pragma once

#include <QImage>
#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

namespace mirelta::artwork {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::array<QRgb, 256> palette{};
    std::vector<std::uint8_t> indices;
};

IndexedImage quantise(const QImage& image);

} // namespace mirelta::artwork

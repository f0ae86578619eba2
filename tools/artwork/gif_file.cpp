#include "tools/artwork/gif_file.h"

#include "tools/artwork/gif_lzw.h"
#include "tools/artwork/gif_palette.h"

#include <algorithm>
#include <fstream>

namespace mirelta::artwork {

namespace {

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

} // namespace

bool writeGif(const QImage& image, const std::filesystem::path& file) {
    const IndexedImage indexed = quantise(image);
    std::vector<std::uint8_t> out;
    for (char c : {'G', 'I', 'F', '8', '9', 'a'}) {
        out.push_back(static_cast<std::uint8_t>(c));
    }

    // Logical screen: global table present, 8 bits of colour resolution, 2^(7+1) entries.
    put16(out, indexed.width);
    put16(out, indexed.height);
    out.push_back(0xF7);
    out.push_back(0); // background colour index
    out.push_back(0); // square pixels
    for (QRgb colour : indexed.palette) {
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
    }

    // One image over the whole screen, no local table, not interlaced.
    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, indexed.width);
    put16(out, indexed.height);
    out.push_back(0);

    out.push_back(8); // LZW minimum code size
    const std::vector<std::uint8_t> codes = lzwEncode(indexed.indices);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
                   codes.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0); // end of image data
    out.push_back(0x3B);

    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(out.data()),
                 static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(stream);
}

} // namespace mirelta::artwork

#include "tools/artwork/bmp_file.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <vector>

namespace mirelta::artwork {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

} // namespace

bool writeBmp24(const QImage& image, const std::filesystem::path& file) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    // Rows are padded to whole 4-byte words.
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    constexpr std::uint32_t kHeaderBytes = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeaderBytes + pixelBytes);
    put32(out, 0);
    put32(out, kHeaderBytes);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height)); // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // no compression
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* line = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            out.push_back(line[3 * x + 2]);
            out.push_back(line[3 * x + 1]);
            out.push_back(line[std::ptrdiff_t{3} * x]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }

    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(out.data()),
                 static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(stream);
}

} // namespace mirelta::artwork

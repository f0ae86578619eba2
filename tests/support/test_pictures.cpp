#include "tests/support/test_pictures.h"

#include <QBuffer>
#include <QFile>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace mirelta::test {

QByteArray jpegBytes(const QImage& source, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

// A GIF with a palette of 256 greys. Every pixel is written as its own 9-bit code, with a clear
// code before the decoder's table would need 10 bits: no compression, but a valid file.
QByteArray gifBytes(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_Grayscale8);
    QByteArray out("GIF89a");
    auto word = [&out](int value) {
        out.append(static_cast<char>(value & 0xFF));
        out.append(static_cast<char>((value >> 8) & 0xFF));
    };
    word(image.width());
    word(image.height());
    out.append(static_cast<char>(0xF7)); // global colour table of 256 entries
    out.append('\0');
    out.append('\0');
    for (int i = 0; i < 256; ++i) {
        out.append(3, static_cast<char>(i));
    }
    out.append(',');
    word(0);
    word(0);
    word(image.width());
    word(image.height());
    out.append('\0');
    out.append(static_cast<char>(8)); // minimum code size

    std::vector<unsigned char> packed;
    unsigned bits = 0;
    int bitCount = 0;
    auto put = [&](unsigned code) {
        bits |= code << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            packed.push_back(static_cast<unsigned char>(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    constexpr unsigned kClear = 256;
    constexpr unsigned kEnd = 257;
    int sinceClear = 0;
    put(kClear);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 254) { // the decoder's table would reach 512 entries
                put(kClear);
                sinceClear = 0;
            }
            put(image.constScanLine(y)[x]);
            ++sinceClear;
        }
    }
    put(kEnd);
    if (bitCount > 0) {
        packed.push_back(static_cast<unsigned char>(bits & 0xFF));
    }
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, packed.size() - at);
        out.append(static_cast<char>(length));
        out.append(reinterpret_cast<const char*>(packed.data() + at),
                   static_cast<qsizetype>(length));
    }
    out.append('\0');
    out.append(';');
    return out;
}

QByteArray bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

QImage patternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(
                x, y,
                qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1), 128));
        }
    }
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace mirelta::test

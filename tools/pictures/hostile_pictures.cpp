#include "tools/pictures/hostile_pictures.h"

#include <QStringBuilder>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace mirelta::hostile {
namespace {

// The same pixels on every run, so that measurements compare.
class Noise {
public:
    unsigned char next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned char>(state_ >> 56);
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

qsizetype findMarker(const QByteArray& bytes, unsigned char code, qsizetype from = 0) {
    for (qsizetype i = from; i + 1 < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            static_cast<unsigned char>(bytes[i + 1]) == code) {
            return i;
        }
    }
    return -1;
}

// Entropy-coded data stuffs every 0xFF byte, so the last start-of-scan marker is the last scan.
QByteArray withRepeatedLastScan(const QByteArray& bytes, int repeats) {
    qsizetype last = -1;
    for (qsizetype at = findMarker(bytes, 0xDA); at >= 0; at = findMarker(bytes, 0xDA, at + 2)) {
        last = at;
    }
    const qsizetype end = bytes.size() - 2; // the end-of-image marker
    const QByteArray scan = bytes.mid(last, end - last);
    QByteArray out = bytes.left(end);
    out.reserve(end + scan.size() * repeats + 2);
    for (int i = 0; i < repeats; ++i) {
        out += scan;
    }
    return out + bytes.right(2);
}

void littleEndian(QByteArray& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// File and information headers of a BMP.
QByteArray bmpHeaders(int width, int height, int bitsPerPixel, int compression, int colours,
                      std::uint32_t dataSize) {
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    QByteArray out("BM");
    littleEndian(out, offset + dataSize, 4);
    littleEndian(out, 0, 4);
    littleEndian(out, offset, 4);
    littleEndian(out, 40, 4);
    littleEndian(out, static_cast<std::uint32_t>(width), 4);
    littleEndian(out, static_cast<std::uint32_t>(height), 4);
    littleEndian(out, 1, 2);
    littleEndian(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
    littleEndian(out, static_cast<std::uint32_t>(compression), 4);
    littleEndian(out, dataSize, 4);
    littleEndian(out, 2835, 4);
    littleEndian(out, 2835, 4);
    littleEndian(out, static_cast<std::uint32_t>(colours), 4);
    littleEndian(out, 0, 4);
    for (int i = 0; i < colours; ++i) {
        littleEndian(out, static_cast<std::uint32_t>(i * 0x010101), 4);
    }
    return out;
}

} // namespace

QByteArray jpeg(const JpegShape& shape) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(shape.width);
    info.image_height = static_cast<JDIMENSION>(shape.height);
    switch (shape.colour) {
    case Colour::Grey:
        info.input_components = 1;
        info.in_color_space = JCS_GRAYSCALE;
        break;
    case Colour::Rgb:
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        break;
    case Colour::Cmyk: // four components at full resolution: the most coefficients a file has
        info.input_components = 4;
        info.in_color_space = JCS_CMYK;
        break;
    }
    jpeg_set_defaults(&info);
    if (shape.noise) {
        jpeg_set_quality(&info, 100, TRUE);
        for (int c = 0; c < info.num_components; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
    }
    info.arith_code = shape.arithmetic ? TRUE : FALSE;
    // Full precision in two kinds of scan: the DC of every component, then the AC of each.
    std::vector<jpeg_scan_info> scans;
    if (shape.refined) {
        jpeg_simple_progression(&info);
    } else if (shape.progressive) {
        jpeg_scan_info dc{};
        dc.comps_in_scan = info.num_components;
        for (int c = 0; c < info.num_components; ++c) {
            dc.component_index[c] = c;
        }
        scans.push_back(dc);
        for (int c = 0; c < info.num_components; ++c) {
            jpeg_scan_info ac{};
            ac.comps_in_scan = 1;
            ac.component_index[0] = c;
            ac.Ss = 1;
            ac.Se = 63;
            scans.push_back(ac);
        }
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(shape.width) * info.input_components,
                                   0x80);
    Noise noise;
    while (info.next_scanline < info.image_height) {
        if (shape.noise) {
            for (unsigned char& sample : row) {
                sample = noise.next();
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return shape.repeatedScans > 0 ? withRepeatedLastScan(bytes, shape.repeatedScans) : bytes;
}

QByteArray headerOnly(const QByteArray& jpeg) {
    const qsizetype scan = findMarker(jpeg, 0xDA);
    const int length = (static_cast<unsigned char>(jpeg[scan + 2]) << 8) |
                       static_cast<unsigned char>(jpeg[scan + 3]);
    return jpeg.left(scan + 2 + length);
}

QByteArray paddedJpeg(const QByteArray& jpeg, qsizetype size) {
    constexpr int kSegment = 65535; // the largest a marker's length field allows
    QByteArray out = jpeg.left(2);
    out.reserve(size);
    while (out.size() + 2 + kSegment + jpeg.size() - 2 <= size) {
        out.append(static_cast<char>(0xFF));
        out.append(static_cast<char>(0xEF)); // APP15
        out.append(static_cast<char>(kSegment >> 8));
        out.append(static_cast<char>(kSegment & 0xFF));
        out.append(kSegment - 2, 'x');
    }
    return out + jpeg.mid(2);
}

QByteArray runLengthBmp(int width, int height) {
    QByteArray data;
    for (int left = width; left > 0; left -= 255) {
        data.append(static_cast<char>(std::min(left, 255)));
        data.append(static_cast<char>(1));
    }
    data.append(2, '\0'); // end of line
    data.append('\0');
    data.append(static_cast<char>(1)); // end of bitmap
    return bmpHeaders(width, height, 8, 1, 256, static_cast<std::uint32_t>(data.size())) + data;
}

QByteArray plainBmp(int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const auto dataSize = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(height);
    QByteArray out = bmpHeaders(width, height, 24, 0, 0, dataSize);
    out.append(static_cast<qsizetype>(dataSize), static_cast<char>(0x60));
    return out;
}

namespace {

// A GIF of a screen of the size whose first image, at (left, 0) and of the frame's size, holds two
// pixels.
QByteArray twoPixelGif(int width, int height, int left, int frameWidth, int frameHeight) {
    QByteArray out("GIF89a");
    littleEndian(out, static_cast<std::uint32_t>(width), 2);
    littleEndian(out, static_cast<std::uint32_t>(height), 2);
    out.append(static_cast<char>(0x80)); // a global colour table of two entries
    out.append(2, '\0');
    out.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    out.append(',');
    littleEndian(out, static_cast<std::uint32_t>(left), 2);
    littleEndian(out, 0, 2);
    littleEndian(out, static_cast<std::uint32_t>(frameWidth), 2);
    littleEndian(out, static_cast<std::uint32_t>(frameHeight), 2);
    out.append('\0');
    out.append(static_cast<char>(2)); // codes of three bits: clear 4, end 5
    // Clear, two white pixels, end.
    const std::uint32_t codes = 4U | (1U << 3) | (1U << 6) | (5U << 9);
    out.append(static_cast<char>(2));
    littleEndian(out, codes, 2);
    out.append('\0');
    out.append(';');
    return out;
}

} // namespace

QByteArray shortGif(int width, int height) {
    return twoPixelGif(width, height, 0, width, height);
}

QByteArray emptyImageGif(int width, int height) {
    return twoPixelGif(width, height, 16, 0, 0);
}

QByteArray plainGif(int width, int height) {
    QByteArray out("GIF89a");
    littleEndian(out, static_cast<std::uint32_t>(width), 2);
    littleEndian(out, static_cast<std::uint32_t>(height), 2);
    out.append(static_cast<char>(0xF7)); // a global colour table of 256 entries
    out.append(2, '\0');
    for (int i = 0; i < 256; ++i) {
        out.append(3, static_cast<char>(i));
    }
    out.append(',');
    littleEndian(out, 0, 4);
    littleEndian(out, static_cast<std::uint32_t>(width), 2);
    littleEndian(out, static_cast<std::uint32_t>(height), 2);
    out.append('\0');
    out.append(static_cast<char>(8)); // codes of nine bits: clear 256, end 257
    QByteArray packed;
    std::uint32_t bits = 0;
    int bitCount = 0;
    const auto put = [&](std::uint32_t code) {
        bits |= code << bitCount;
        for (bitCount += 9; bitCount >= 8; bitCount -= 8) {
            packed.append(static_cast<char>(bits & 0xFF));
            bits >>= 8;
        }
    };
    // A clear code before the decoder's table would need ten bits.
    const qint64 pixels = qint64{width} * height;
    for (qint64 i = 0; i < pixels; ++i) {
        if (i % 254 == 0) {
            put(256);
        }
        put(static_cast<std::uint32_t>(i % 251));
    }
    put(257);
    if (bitCount > 0) {
        packed.append(static_cast<char>(bits & 0xFF));
    }
    out.reserve(out.size() + packed.size() + packed.size() / 255 + 3);
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, packed.size() - at);
        out.append(static_cast<char>(length));
        out.append(packed.constData() + at, length);
    }
    out.append('\0');
    out.append(';');
    return out;
}

} // namespace mirelta::hostile

#include "tools/screen_check/screen_picture.h"

#include <algorithm>

namespace mirelta::screencheck {

namespace {

bool inside(int x, int y, const std::vector<Box>& boxes) {
    return std::any_of(boxes.begin(), boxes.end(), [x, y](const Box& box) {
        return x >= box.x && y >= box.y && x < box.x + box.width && y < box.y + box.height;
    });
}

QRgb pixel(const QImage& picture, int x, int y) {
    return reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x] | 0xFF000000u;
}

} // namespace

BlockCount mixedBlocks(const QImage& picture, const Box& area, int scale,
                       const std::vector<Box>& ignored) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    BlockCount count;
    const int right = std::min(area.x + area.width, rgb.width() / scale);
    const int bottom = std::min(area.y + area.height, rgb.height() / scale);
    for (int y = std::max(area.y, 0); y < bottom; ++y) {
        for (int x = std::max(area.x, 0); x < right; ++x) {
            if (inside(x, y, ignored)) {
                continue;
            }
            ++count.blocks;
            const QRgb first = pixel(rgb, x * scale, y * scale);
            bool same = true;
            for (int dy = 0; dy < scale && same; ++dy) {
                for (int dx = 0; dx < scale && same; ++dx) {
                    same = pixel(rgb, x * scale + dx, y * scale + dy) == first;
                }
            }
            if (!same) {
                ++count.mixed;
            }
        }
    }
    return count;
}

QImage logicalPicture(const QImage& picture, int scale) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage logical(rgb.width() / scale, rgb.height() / scale, QImage::Format_RGB32);
    for (int y = 0; y < logical.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(logical.scanLine(y));
        for (int x = 0; x < logical.width(); ++x) {
            row[x] = pixel(rgb, x * scale, y * scale);
        }
    }
    return logical;
}

Difference differingPixels(const QImage& reference, const QImage& other,
                           const std::vector<Box>& ignored) {
    const QImage first = reference.convertToFormat(QImage::Format_RGB32);
    const QImage second = other.convertToFormat(QImage::Format_RGB32);
    Difference difference;
    if (first.size() != second.size()) {
        difference.compared = difference.differing = 1;
        return difference;
    }
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            if (inside(x, y, ignored)) {
                continue;
            }
            ++difference.compared;
            if (pixel(first, x, y) != pixel(second, x, y)) {
                ++difference.differing;
            }
        }
    }
    return difference;
}

std::uint32_t areaChecksum(const QImage& picture, const Box& area) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const auto* corner = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(area.y)) + area.x;
    return framewatch::pictureChecksum(corner, area.width, area.height,
                                       static_cast<std::size_t>(rgb.bytesPerLine()) / 4,
                                       framewatch::PixelLayout{});
}

} // namespace mirelta::screencheck

#include "tools/artwork/backgrounds.h"

#include "tools/artwork/background_looks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace mirelta::artwork {

namespace {

// 4 x 4 Bayer matrix: a faint ordered dither keeps the soft gradients from banding.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int toByte(double value, int x, int y) {
    const double dither = (kBayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
    return std::clamp(static_cast<int>(std::floor(value + dither + 0.5)), 0, 255);
}

QImage render(BackgroundLook look, bool grey) {
    QImage image(kBackgroundSize, kBackgroundSize, QImage::Format_RGB32);
    const double half = kBackgroundSize / 2.0;
    for (int y = 0; y < kBackgroundSize; ++y) {
        for (int x = 0; x < kBackgroundSize; ++x) {
            const double u = (x + 0.5 - half) / half;
            const double v = (half - y - 0.5) / half;
            const Colour c = look(u, v);
            if (grey) {
                const int level = toByte((c.r + c.g + c.b) / 3.0, x, y);
                image.setPixel(x, y, qRgb(level, level, level));
            } else {
                image.setPixel(x, y, qRgb(toByte(c.r, x, y), toByte(c.g, x, y), toByte(c.b, x, y)));
            }
        }
    }
    return image;
}

// The program leaves out every pixel of the bottom-left pixel's colour, so that pixel gets a
// colour found nowhere else in the picture: the nearest unused one, so it does not show.
void keyBottomLeft(QImage& image, bool grey) {
    std::vector<bool> used(1 << 24, false);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (x == 0 && y == image.height() - 1) {
                continue;
            }
            used[image.pixel(x, y) & 0xFFFFFF] = true;
        }
    }
    const QRgb corner = image.pixel(0, image.height() - 1);
    const int r0 = qRed(corner);
    const int g0 = qGreen(corner);
    const int b0 = qBlue(corner);
    for (int reach = 0; reach < 256; ++reach) {
        for (int dr = -reach; dr <= reach; ++dr) {
            for (int dg = grey ? dr : -reach; dg <= (grey ? dr : reach); ++dg) {
                for (int db = grey ? dr : -reach; db <= (grey ? dr : reach); ++db) {
                    if (std::max({std::abs(dr), std::abs(dg), std::abs(db)}) != reach) {
                        continue;
                    }
                    const int r = r0 + dr;
                    const int g = g0 + dg;
                    const int b = b0 + db;
                    if (std::min({r, g, b}) < 0 || std::max({r, g, b}) > 255) {
                        continue;
                    }
                    if (!used[(r << 16) | (g << 8) | b]) {
                        image.setPixel(0, image.height() - 1, qRgb(r, g, b));
                        return;
                    }
                }
            }
        }
    }
}

Background make(const char* fileName, BackgroundLook look, bool grey) {
    QImage image = render(look, grey);
    keyBottomLeft(image, grey);
    return {fileName, image};
}

} // namespace

std::vector<Background> makeBackgrounds() {
    return {
        make("luboi1.bmp", manyColouredLook, false),
        make("zelen7.bmp", greenLook, false),
        make("krasn8.bmp", redLook, false),
        make("ser.bmp", greyLook, true),
    };
}

} // namespace mirelta::artwork

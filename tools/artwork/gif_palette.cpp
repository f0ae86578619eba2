#include "tools/artwork/gif_palette.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mirelta::artwork {

namespace {

// The histogram keeps 5 bits a channel; its cells carry sums so palette colours are exact means.
constexpr int kBits = 5;
constexpr int kCells = 1 << (3 * kBits);

struct Cell {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
};

int cellOf(int r, int g, int b) {
    return ((r >> (8 - kBits)) << (2 * kBits)) | ((g >> (8 - kBits)) << kBits) | (b >> (8 - kBits));
}

int channelOfCell(int cell, int channel) {
    return (cell >> ((2 - channel) * kBits)) & ((1 << kBits) - 1);
}

struct Box {
    std::vector<int> cells;
    std::uint64_t population = 0;
    int longest = 0;
    int range = 0;
};

void measure(Box& box, const std::vector<Cell>& histogram) {
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};
    box.population = 0;
    for (int cell : box.cells) {
        box.population += histogram[cell].count;
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channelOfCell(cell, c));
            high[c] = std::max(high[c], channelOfCell(cell, c));
        }
    }
    box.range = -1;
    for (int c = 0; c < 3; ++c) {
        // The eye tells greens apart best, then reds.
        static constexpr int kWeight[3] = {3, 4, 2};
        const int weighted = (high[c] - low[c]) * kWeight[c];
        if (weighted > box.range) {
            box.range = weighted;
            box.longest = c;
        }
    }
}

std::vector<Box> medianCut(const std::vector<Cell>& histogram) {
    std::vector<Box> boxes(1);
    for (int cell = 0; cell < kCells; ++cell) {
        if (histogram[cell].count > 0) {
            boxes[0].cells.push_back(cell);
        }
    }
    measure(boxes[0], histogram);

    while (boxes.size() < 256) {
        // Split the box whose colours are both many and far apart.
        std::size_t chosen = boxes.size();
        double best = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].cells.size() < 2) {
                continue;
            }
            const double score =
                boxes[i].range * std::sqrt(static_cast<double>(boxes[i].population));
            if (score > best) {
                best = score;
                chosen = i;
            }
        }
        if (chosen == boxes.size()) {
            break;
        }
        Box& box = boxes[chosen];
        const int axis = box.longest;
        std::sort(box.cells.begin(), box.cells.end(),
                  [axis](int a, int b) { return channelOfCell(a, axis) < channelOfCell(b, axis); });
        const std::uint64_t total = box.population;
        std::uint64_t running = 0;
        std::size_t split = 1;
        for (; split < box.cells.size() - 1; ++split) {
            running += histogram[box.cells[split - 1]].count;
            if (running * 2 >= total) {
                break;
            }
        }
        Box upper;
        upper.cells.assign(box.cells.begin() + static_cast<std::ptrdiff_t>(split), box.cells.end());
        box.cells.resize(split);
        measure(box, histogram);
        measure(upper, histogram);
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

// 8 x 8 Bayer matrix, values 0..63.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

// How far the dither moves a pixel at most, in levels: about half a palette step in a soft
// gradient.
constexpr double kDitherSpread = 10.0;

} // namespace

IndexedImage quantise(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    IndexedImage result;
    result.width = rgb.width();
    result.height = rgb.height();

    std::vector<Cell> histogram(kCells);
    for (int y = 0; y < rgb.height(); ++y) {
        const std::uint8_t* line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const std::uint8_t* pixel = line + std::ptrdiff_t{3} * x;
            const int r = pixel[0];
            const int g = pixel[1];
            const int b = pixel[2];
            Cell& cell = histogram[cellOf(r, g, b)];
            ++cell.count;
            cell.sum[0] += r;
            cell.sum[1] += g;
            cell.sum[2] += b;
        }
    }

    const std::vector<Box> boxes = medianCut(histogram);
    int colours[256][3] = {};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        std::uint64_t count = 0;
        std::uint64_t sum[3] = {0, 0, 0};
        for (int cell : boxes[i].cells) {
            count += histogram[cell].count;
            for (int c = 0; c < 3; ++c) {
                sum[c] += histogram[cell].sum[c];
            }
        }
        for (int c = 0; c < 3; ++c) {
            colours[i][c] = count ? static_cast<int>((sum[c] + count / 2) / count) : 0;
        }
        result.palette[i] = qRgb(colours[i][0], colours[i][1], colours[i][2]);
    }
    const int used = static_cast<int>(boxes.size());

    // Nearest palette entry for each 6-bit-per-channel colour, found when first needed.
    std::vector<std::int16_t> nearest(1 << 18, -1);
    auto lookup = [&](int r, int g, int b) {
        const int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
        if (nearest[key] < 0) {
            const int cr = (r & ~3) + 2;
            const int cg = (g & ~3) + 2;
            const int cb = (b & ~3) + 2;
            int best = 0;
            int bestDistance = 1 << 30;
            for (int i = 0; i < used; ++i) {
                const int dr = colours[i][0] - cr;
                const int dg = colours[i][1] - cg;
                const int db = colours[i][2] - cb;
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            nearest[key] = static_cast<std::int16_t>(best);
        }
        return static_cast<std::uint8_t>(nearest[key]);
    };

    result.indices.resize(static_cast<std::size_t>(result.width) * result.height);
    for (int y = 0; y < rgb.height(); ++y) {
        const std::uint8_t* line = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const double offset = ((kBayer[y & 7][x & 7] + 0.5) / 64.0 - 0.5) * kDitherSpread;
            int channel[3];
            for (int c = 0; c < 3; ++c) {
                channel[c] =
                    std::clamp(static_cast<int>(std::lround(line[3 * x + c] + offset)), 0, 255);
            }
            result.indices[static_cast<std::size_t>(y) * result.width + x] =
                lookup(channel[0], channel[1], channel[2]);
        }
    }
    return result;
}

} // namespace mirelta::artwork

#include "safety/stripe_patterns.h"

#include "safety/light.h"

#include <algorithm>
#include <vector>

namespace mirelta {

namespace {

// Whether the light along one line of a block is a regular stripe pattern.
bool striped(const std::vector<float>& light, const StripeOptions& options,
             std::vector<int>& starts) {
    const auto [darkest, lightest] = std::minmax_element(light.begin(), light.end());
    if (*lightest - *darkest < options.contrast) {
        return false;
    }
    const float middle = (*lightest + *darkest) / 2;
    starts.clear();
    bool wasLight = light.front() > middle;
    for (std::size_t at = 1; at < light.size(); ++at) {
        const bool isLight = light[at] > middle;
        if (isLight && !wasLight) {
            starts.push_back(static_cast<int>(at));
        }
        wasLight = isLight;
    }
    if (static_cast<int>(starts.size()) < options.pairs) {
        return false;
    }
    std::vector<int> spacings;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        spacings.push_back(starts[i] - starts[i - 1]);
    }
    std::vector<int> sorted = spacings;
    std::nth_element(sorted.begin(),
                     sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    const int usual = sorted[sorted.size() / 2];
    const int slack = std::max(1, usual / 4);
    return std::all_of(spacings.begin(), spacings.end(),
                       [&](int spacing) { return std::abs(spacing - usual) <= slack; });
}

} // namespace

double stripedShare(const QImage& picture, const StripeOptions& options) {
    if (picture.isNull() || options.block < 2) {
        return 0;
    }
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    // The luminance of every pixel, once.
    std::vector<float> luminance(static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        float* out = luminance.data() + static_cast<std::ptrdiff_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            out[x] = static_cast<float>(relativeLuminance(
                linearColour(qRed(pixels[x]), qGreen(pixels[x]), qBlue(pixels[x]))));
        }
    }
    const int block = options.block;
    std::vector<float> line(static_cast<std::size_t>(block));
    std::vector<int> starts;
    long stripedPixels = 0;
    for (int top = 0; top + block <= height; top += block) {
        for (int left = 0; left + block <= width; left += block) {
            int along = 0; // lines of the block across which the stripes run
            int across = 0;
            for (int i = 0; i < block; ++i) {
                for (int j = 0; j < block; ++j) {
                    line[static_cast<std::size_t>(j)] =
                        luminance[static_cast<std::size_t>(top + i) * width + left + j];
                }
                along += striped(line, options, starts) ? 1 : 0;
                for (int j = 0; j < block; ++j) {
                    line[static_cast<std::size_t>(j)] =
                        luminance[static_cast<std::size_t>(top + j) * width + left + i];
                }
                across += striped(line, options, starts) ? 1 : 0;
            }
            if (2 * std::max(along, across) > block) {
                stripedPixels += static_cast<long>(block) * block;
            }
        }
    }
    return static_cast<double>(stripedPixels) / (double(width) * height);
}

} // namespace mirelta

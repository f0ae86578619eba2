// The four panel backgrounds. While a session runs, the program adds random amounts to every
// colour byte of the background again and again, so these are built from smooth, many-levelled
// structure that stays pleasant in whatever colours it drifts to.
#pragma once

#include <QImage>
#include <vector>

namespace mirelta::artwork {

constexpr int kBackgroundSize = 425;

struct Background {
    const char* fileName;
    QImage image;
};

std::vector<Background> makeBackgrounds();

} // namespace mirelta::artwork

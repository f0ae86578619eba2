#pragma once
// The scenario pictures the standard suggestions name: calm, simple scenes drawn with QPainter,
// each between 100 and 425 pixels a side.

#include <QImage>
#include <QString>
#include <vector>

namespace mirelta::media {

struct Scene {
    QString path; // relative to the Image folder, with forward slashes
    QImage image;
};

std::vector<Scene> makeScenes();

} // namespace mirelta::media

// Writes scenario pictures as baseline JPEG through libjpeg, the library the program itself
// decodes them with.
#pragma once

#include <QImage>
#include <filesystem>

namespace mirelta::artwork {

bool writeJpeg(const QImage& image, const std::filesystem::path& file, int quality = 90);

} // namespace mirelta::artwork

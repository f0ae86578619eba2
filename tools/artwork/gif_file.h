// Writes scenario pictures as GIF89a: one 256-colour global palette and one LZW-compressed
// image, the plain kind every GIF reader, the program's own included, understands.
#pragma once

#include <QImage>
#include <filesystem>

namespace mirelta::artwork {

bool writeGif(const QImage& image, const std::filesystem::path& file);

} // namespace mirelta::artwork

// Writes the panel backgrounds as 24-bit uncompressed BMP, the one form the program's background
// loader takes byte for byte.
#pragma once

#include <QImage>
#include <filesystem>

namespace mirelta::artwork {

bool writeBmp24(const QImage& image, const std::filesystem::path& file);

} // namespace mirelta::artwork

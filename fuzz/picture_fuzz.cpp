// Arbitrary bytes as a picture file: the loader returns a picture or an error, never crashes,
// hangs or reads past the end of its input, and never gives a picture larger than its limits
// (the memory limit of its test catches one that it decodes and then refuses).

#include "platform/pictures/picture_loader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mirelta::LoadedPicture picture = mirelta::decodePicture(bytes);
    if (picture.ok() == picture.image.isNull()) {
        __builtin_trap();
    }
    const QSize shape = picture.image.size();
    if (picture.ok() &&
        (shape.width() > mirelta::kMaxPictureSide || shape.height() > mirelta::kMaxPictureSide ||
         qint64{shape.width()} * shape.height() > mirelta::kMaxPicturePixels)) {
        __builtin_trap();
    }
    return 0;
}

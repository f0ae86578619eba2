// Arbitrary bytes as a picture file: the loader returns a picture or an error, never crashes,
// hangs or reads past the end of its input.

#include "picture_loader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mirelta::LoadedPicture picture = mirelta::decodePicture(bytes);
    if (picture.ok() == picture.image.isNull()) {
        __builtin_trap();
    }
    return 0;
}

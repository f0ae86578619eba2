// mirelta-hostile-pictures DIR: writes into DIR the picture files that tools/measure-pictures.sh
// gives the loader, each costing a decoder as much time or memory as its size allows.
// mirelta-hostile-pictures --seeds DIR: small ones of the same kinds, the picture fuzz target's
// seeds in fuzz/corpus/picture.

#include "tools/pictures/hostile_pictures.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace mirelta::hostile;

namespace {

bool write(const QDir& folder, const char* name, const QByteArray& bytes) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    std::printf("%-32s %10lld bytes\n", name, static_cast<long long>(bytes.size()));
    return true;
}

bool writeSeeds(const QDir& folder) {
    return write(folder, "hostile-header-16384.jpg",
                 headerOnly(jpeg({.width = 16384, .height = 16384}))) &&
           write(folder, "hostile-scans-3000.jpg",
                 jpeg({.width = 1024,
                       .height = 1024,
                       .colour = Colour::Grey,
                       .progressive = true,
                       .repeatedScans = 2998})) &&
           write(folder, "hostile-refined.jpg",
                 jpeg({.width = 48, .height = 40, .refined = true})) &&
           write(folder, "hostile-arithmetic.jpg",
                 jpeg({.width = 40, .height = 48, .progressive = true, .arithmetic = true})) &&
           write(folder, "hostile-cmyk.jpg",
                 jpeg({.width = 32, .height = 32, .colour = Colour::Cmyk, .progressive = true})) &&
           write(folder, "hostile-short.gif", shortGif(4096, 4096)) &&
           write(folder, "hostile-empty-image.gif", emptyImageGif(18960, 256)) &&
           write(folder, "hostile-rle.bmp", runLengthBmp(8192, 8192));
}

} // namespace

int main(int argc, char** argv) {
    const bool seeds = argc == 3 && QByteArray(argv[1]) == "--seeds";
    if (argc != 2 && !seeds) {
        std::fprintf(stderr, "usage: mirelta-hostile-pictures [--seeds] DIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot make %s\n", argv[argc - 1]);
        return 2;
    }
    if (seeds) {
        return writeSeeds(folder) ? 0 : 1;
    }
    const QByteArray huge = jpeg({.width = 16384, .height = 16384});
    const QByteArray largest = jpeg({.width = 4096, .height = 4096});
    const bool written =
        write(folder, "scans-3000-8192.jpg",
              jpeg({.width = 8192,
                    .height = 8192,
                    .colour = Colour::Grey,
                    .progressive = true,
                    .repeatedScans = 2998})) &&
        write(folder, "scans-3000-4096.jpg",
              jpeg({.width = 4096,
                    .height = 4096,
                    .colour = Colour::Grey,
                    .progressive = true,
                    .repeatedScans = 2998})) &&
        write(folder, "scans-100-4096.jpg",
              jpeg({.width = 4096,
                    .height = 4096,
                    .colour = Colour::Grey,
                    .progressive = true,
                    .repeatedScans = 98})) &&
        write(folder, "refinements-100-4096.jpg",
              jpeg({.width = 4096,
                    .height = 4096,
                    .colour = Colour::Grey,
                    .refined = true,
                    .repeatedScans = 94})) &&
        write(folder, "valid-16384.jpg", huge) &&
        write(folder, "header-16384.jpg", headerOnly(huge)) &&
        write(folder, "header-4096.jpg", headerOnly(largest)) &&
        write(folder, "noise-4096x3072.jpg",
              jpeg({.width = 4096, .height = 3072, .noise = true})) &&
        write(folder, "noise-4096x2600-refined.jpg",
              jpeg({.width = 4096, .height = 2600, .refined = true, .noise = true})) &&
        write(folder, "noise-4096-refined.jpg",
              jpeg({.width = 4096, .height = 4096, .refined = true, .noise = true})) &&
        write(folder, "padded-64mb-4096.jpg", paddedJpeg(largest, qsizetype{64} << 20)) &&
        write(folder, "valid-4096.jpg", largest) &&
        write(folder, "cmyk-4096-progressive.jpg",
              jpeg({.width = 4096, .height = 4096, .colour = Colour::Cmyk, .progressive = true})) &&
        write(folder, "rle-16384.bmp", runLengthBmp(16384, 16384)) &&
        write(folder, "rle-4096.bmp", runLengthBmp(4096, 4096)) &&
        write(folder, "plain-4096.bmp", plainBmp(4096, 4096)) &&
        write(folder, "short-16384.gif", shortGif(16384, 16384)) &&
        write(folder, "short-4096.gif", shortGif(4096, 4096)) &&
        write(folder, "empty-image-4096.gif", emptyImageGif(4096, 4096)) &&
        write(folder, "plain-4096.gif", plainGif(4096, 4096)) &&
        write(folder, "arithmetic-4096.jpg",
              jpeg({.width = 4096, .height = 4096, .arithmetic = true})) &&
        write(folder, "arithmetic-header-4096.jpg",
              headerOnly(jpeg({.width = 4096, .height = 4096, .arithmetic = true})));
    return written ? 0 : 1;
}

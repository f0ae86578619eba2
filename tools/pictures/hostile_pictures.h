#pragma once
// Picture files made to cost a decoder time or memory: many scans, huge declared sizes, headers
// without the data they promise. Written here with libjpeg and by hand, for the loader's tests
// and for tools/measure-pictures.sh.

#include <QByteArray>

namespace mirelta::hostile {

enum class Colour { Grey, Rgb, Cmyk };

struct JpegShape {
    int width = 64;
    int height = 64;
    Colour colour = Colour::Rgb;
    bool progressive = false;
    // Progressive in the encoder's own scans, which send the high bits of each coefficient
    // first and refine them later, instead of every coefficient at full precision at once.
    bool refined = false;
    // Random pixels at quality 100 with no chroma subsampling: as many bytes per pixel as a
    // JPEG gets. Otherwise one flat colour, as few as it gets.
    bool noise = false;
    // Arithmetic coding, which makes a flat picture almost nothing.
    bool arithmetic = false;
    // For a progressive file: how many times its last scan comes again. A decoder accepts the
    // same scan twice, and works through the whole picture for each.
    int repeatedScans = 0;
};

// Encoded row by row, so that a picture of any size costs little memory to write.
QByteArray jpeg(const JpegShape& shape);

// The file cut off right after its first scan header: a picture's size with none of its data.
QByteArray headerOnly(const QByteArray& jpeg);

// The file with application markers of filler before its picture, to about `size` bytes.
QByteArray paddedJpeg(const QByteArray& jpeg, qsizetype size);

// A BMP header declaring the size with 8-bit run-length rows, and one row of data.
QByteArray runLengthBmp(int width, int height);
// A 24-bit BMP of one colour.
QByteArray plainBmp(int width, int height);
// A GIF whose screen and image declare the size, with a few pixels of data.
QByteArray shortGif(int width, int height);
// The same with an empty first image placed off its corner: Qt's reader then reports a size that
// is not the size of the picture it makes, the screen's.
QByteArray emptyImageGif(int width, int height);
// A GIF of the size with every pixel in a code of its own: as many bytes as a GIF of it gets.
QByteArray plainGif(int width, int height);

} // namespace mirelta::hostile

#include "platform/pictures/picture_loader.h"

#include "platform/pictures/jpeg_decoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace mirelta {
namespace {

// Files larger than any picture the program shows are refused before they are read.
constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;

// An LZW code has at least two bits and stands for at most 4096 pixels (the size of its table),
// so a GIF holds at most this many pixels in a byte; it decodes short data as a blank rest.
constexpr qint64 kGifPixelsPerByte = qint64{4096} * 4;

// What Qt may allocate for one picture: the largest one at 32 bits a pixel.
constexpr int kMaxAllocationMegabytes =
    static_cast<int>(kMaxPicturePixels * 4 / (qint64{1024} * 1024));

LoadedPicture failure(const QString& reason) {
    return {QImage(), reason};
}

quint32 littleEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Qt reads a BMP whose pixels lie past the end of the file as a blank picture; such a file is
// damaged, not blank.
bool bmpHasItsPixels(const QByteArray& bytes) {
    constexpr qsizetype kHeaders = 14 + 16;
    if (bytes.size() < kHeaders) {
        return false;
    }
    const quint64 offset = littleEndian(bytes, 10, 4);
    const auto width = static_cast<qint32>(littleEndian(bytes, 18, 4));
    const auto height = static_cast<qint32>(littleEndian(bytes, 22, 4));
    const quint32 bitsPerPixel = littleEndian(bytes, 28, 2);
    const quint32 compression = bytes.size() >= 34 ? littleEndian(bytes, 30, 4) : 0;
    if (offset >= static_cast<quint64>(bytes.size())) {
        return false;
    }
    if (compression != 0 || width <= 0) {
        return true; // compressed rows have no fixed size; Qt checks them as it decodes
    }
    const quint64 rowBytes = (static_cast<quint64>(width) * bitsPerPixel + 31) / 32 * 4;
    const quint64 rows = static_cast<quint64>(height < 0 ? -static_cast<qint64>(height) : height);
    return offset + rowBytes * rows <= static_cast<quint64>(bytes.size());
}

// The size Qt makes a GIF's picture: its logical screen, which Qt widens to hold the first image
// where that is placed. What Qt's reader reports as the size before reading is not this.
QSize gifPictureSize(const QByteArray& bytes) {
    if (bytes.size() < 13) {
        return {};
    }
    qint64 width = littleEndian(bytes, 6, 2);
    qint64 height = littleEndian(bytes, 8, 2);
    const auto flags = static_cast<unsigned char>(bytes[10]);
    qsizetype at = 13;
    if ((flags & 0x80) != 0) {
        at += qsizetype{3} << ((flags & 7) + 1); // the global colour table
    }
    // Extension blocks, each a label and sub-blocks up to an empty one, before the image.
    while (at + 2 < bytes.size() && bytes[at] == '\x21') {
        for (at += 2; at < bytes.size() && bytes[at] != '\0';) {
            at += 1 + static_cast<unsigned char>(bytes[at]);
        }
        ++at;
    }
    if (at + 9 < bytes.size() && bytes[at] == ',') {
        width = std::max<qint64>(width,
                                 littleEndian(bytes, at + 1, 2) + littleEndian(bytes, at + 5, 2));
        height = std::max<qint64>(height,
                                  littleEndian(bytes, at + 3, 2) + littleEndian(bytes, at + 7, 2));
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

} // namespace

QString pictureSizeProblem(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelsPerByte) {
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
        return QStringLiteral("Изображение слишком велико: %1 × %2 точек, а можно не больше "
                              "4096 × 4096 точек")
            .arg(width)
            .arg(height);
    }
    if (pixelsPerByte > 0 && width * height > fileBytes * pixelsPerByte) {
        return QStringLiteral("Файл изображения слишком мал для %1 × %2 точек: он повреждён или "
                              "записан не полностью")
            .arg(width)
            .arg(height);
    }
    return {};
}

LoadedPicture decodePicture(const QByteArray& bytes) {
    if (looksLikeJpeg(bytes)) {
        QString error;
        QImage image = decodeJpeg(bytes, error);
        return {image, error};
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kMaxAllocationMegabytes);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif") {
        return failure(QStringLiteral("Это не изображение BMP, JPEG или GIF"));
    }
    if (format == "bmp" && !bmpHasItsPixels(bytes)) {
        return failure(QStringLiteral("Файл изображения BMP повреждён или записан не полностью"));
    }
    const bool gif = format == "gif";
    const QSize size = gif ? gifPictureSize(bytes) : reader.size();
    const QString problem =
        pictureSizeProblem(size.width(), size.height(), bytes.size(), gif ? kGifPixelsPerByte : 0);
    if (!problem.isEmpty()) {
        return failure(problem);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return failure(QStringLiteral("Файл изображения повреждён"));
    }
    // Should Qt still make a picture larger than its header said, the allocation limit bounded
    // its cost, and the picture goes no further.
    const QString decodedProblem = pictureSizeProblem(image.width(), image.height(), 0, 0);
    if (!decodedProblem.isEmpty()) {
        return failure(decodedProblem);
    }
    return {image, QString()};
}

LoadedPicture loadPicture(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("Не удаётся открыть файл изображения %1").arg(path));
    }
    if (file.size() > kMaxFileBytes) {
        return failure(QStringLiteral("Файл %1 слишком велик для изображения").arg(path));
    }
    LoadedPicture picture = decodePicture(file.readAll());
    if (!picture.ok()) {
        picture.error = QStringLiteral("Не удаётся загрузить изображение %1:\n%2")
                            .arg(QFileInfo(path).fileName(), picture.error);
    }
    return picture;
}

} // namespace mirelta

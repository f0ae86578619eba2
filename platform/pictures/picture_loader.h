#pragma once
// The one picture loader of the program: JPEG decoded by libjpeg, BMP and GIF by Qt. The format
// is told by the file's content, not its name. A file that cannot be read or decoded gives an
// error text for the user; no picture file can end or hang the program.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mirelta {

struct LoadedPicture {
    QImage image;
    QString error; // Russian, for the user; empty when the picture loaded
    bool ok() const { return error.isEmpty(); }
};

LoadedPicture loadPicture(const QString& path);
LoadedPicture decodePicture(const QByteArray& bytes);

// The choice of files the picture dialogs offer.
inline const QString kPictureFilter = QStringLiteral(
    "Изображения (*.bmp *.jpg *.jpeg *.gif *.BMP *.JPG *.JPEG *.GIF);;Все файлы (*)");

// Pictures larger than this on either side, or with more pixels than this in all, are refused
// before any of their pixels are decoded. The panel shows 425 x 425 at most; 4096 x 4096 leaves a
// camera's photo whole and keeps the largest picture at 64 MB of 32-bit pixels.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr qint64 kMaxPicturePixels = qint64{4096} * 4096;

// Why a picture of the size cannot be loaded from `fileBytes` bytes of a format that holds at
// most `pixelsPerByte` pixels in a byte (0: no such bound); empty when it can.
QString pictureSizeProblem(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelsPerByte);

} // namespace mirelta

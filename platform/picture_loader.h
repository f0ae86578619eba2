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

// Pictures larger than this on either side are refused rather than decoded.
inline constexpr int kMaxPictureSide = 16384;

} // namespace mirelta

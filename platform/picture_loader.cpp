#include "picture_loader.h"

#include "jpeg_decoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace mirelta {
namespace {

// Files larger than any picture the program shows are refused before they are read.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

LoadedPicture failure(const QString& reason) {
    return {QImage(), reason};
}

} // namespace

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
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif") {
        return failure(QStringLiteral("Это не изображение BMP, JPEG или GIF"));
    }
    const QSize size = reader.size();
    if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        return failure(QStringLiteral("Изображение слишком велико: %1 × %2 точек")
                           .arg(size.width())
                           .arg(size.height()));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return failure(QStringLiteral("Файл изображения повреждён"));
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

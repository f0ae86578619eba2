#pragma once
// Picture files made by the tests themselves: JPEG through libjpeg, GIF by a small writer, BMP
// through Qt.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mirelta::test {

QByteArray jpegBytes(const QImage& source, int quality = 90);
QByteArray gifBytes(const QImage& source);
QByteArray bmpBytes(const QImage& image);
// A picture of the size with a pattern that shows orientation.
QImage patternImage(int width, int height);
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace mirelta::test

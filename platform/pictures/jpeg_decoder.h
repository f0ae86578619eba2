#pragma once
// JPEG through libjpeg, with an error manager that returns instead of ending the process.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mirelta {

// An RGB888 image, or a null image with the reason in `error`.
QImage decodeJpeg(const QByteArray& bytes, QString& error);

bool looksLikeJpeg(const QByteArray& bytes);

} // namespace mirelta

#include "engine/backgrounds.h"

namespace mirelta {

Backgrounds Backgrounds::builtIn() {
    Backgrounds backgrounds;
    const char* names[] = {"luboi1", "zelen7", "krasn8", "ser"};
    for (int i = 0; i < 4; ++i) {
        const QImage picture(QStringLiteral(":/backgrounds/%1.bmp").arg(QLatin1String(names[i])));
        backgrounds.pictures_[i] = picture.convertToFormat(QImage::Format_BGR888);
    }
    return backgrounds;
}

QImage Backgrounds::picture(int index) const {
    if (index < 0 || index >= static_cast<int>(pictures_.size())) {
        return {};
    }
    QImage copy = pictures_[index];
    copy.detach();
    return copy;
}

} // namespace mirelta

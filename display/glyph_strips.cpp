#include "display/glyph_strips.h"

#include <QDir>

namespace mirelta {

GlyphStrip::GlyphStrip(const QImage& picture)
    : pixels_(picture.convertToFormat(QImage::Format_RGB32)) {}

QRgb GlyphStrip::transparentColour() const {
    return pixels_.isNull() ? qRgb(255, 255, 255)
                            : pixels_.pixel(0, pixels_.height() - 1) | 0xFF000000u;
}

GlyphStrips GlyphStrips::builtIn() {
    return fromFolder(QStringLiteral(":/glyphs"));
}

GlyphStrips GlyphStrips::fromFolder(const QString& folder) {
    GlyphStrips strips;
    for (int index = 0; index < kStripCount; ++index) {
        const QImage picture(QDir(folder).filePath(QStringLiteral("%1.bmp").arg(index)));
        if (!picture.isNull()) {
            strips.strips_[index] = std::make_shared<const GlyphStrip>(picture);
        }
    }
    return strips;
}

const GlyphStrip* GlyphStrips::strip(int index) const {
    return index >= 0 && index < kStripCount ? strips_[index].get() : nullptr;
}

} // namespace mirelta

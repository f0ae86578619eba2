// mirelta-glyphs: draws the 64 glyph strips of the program from a font.
//
//   mirelta-glyphs FONT.ttf OUTPUT-FOLDER
//
// Each strip is a 24-bit BMP of 210 x 42 pixels: five 42 x 42 frames of one character on pure
// white, in the order contour, green, red, blue, white. The strips are committed under
// data/glyphs, so that building the program needs no font; run this to draw them again.
//
// Drawing is done without anti-aliasing: the program leaves out pure white when it draws a strip,
// and blended edge pixels would show as a pale fringe over the background.

#include "text/cp1251.h"
#include "text/glyph_alphabet.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFrame = 42;
constexpr int kFrames = 5;
constexpr int kLatinFirst = 38;
constexpr qreal kShadow = 2.5;
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kCyan(0x00, 0xFF, 0xFF);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

QString characterOf(int index) {
    const QString text = QString::fromStdString(
        mirelta::cp1251::toUtf8(std::string(1, mirelta::glyphCharacter(index))));
    return index >= kLatinFirst ? text.toLower() : text;
}

// The outline of one character at the font size, baseline at y = 0.
QPainterPath outline(const QFont& font, const QString& text) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// One scale for every character, set by the capitals: a capital fills the frame's height but for
// the shadow and a margin, so that letters keep their relative sizes. A character that would
// run out of the frame (accents, descenders) is moved, and if need be shrunk, to fit.
struct Layout {
    qreal scale = 1;
    qreal baseline = 0;
};

constexpr qreal kMargin = 1.5;
constexpr qreal kUsable = kFrame - 2 * kMargin - kShadow;

Layout layoutFor(const QFont& font) {
    const QRectF capital = outline(font, QStringLiteral("Н")).boundingRect();
    Layout layout;
    layout.scale = (kUsable - 2) / capital.height();
    layout.baseline = kMargin + 1 - capital.top() * layout.scale;
    return layout;
}

QPainterPath placed(const QFont& font, const Layout& layout, const QString& text) {
    const QPainterPath path = outline(font, text);
    const QRectF bounds = path.boundingRect();
    const qreal scaleY = std::min(layout.scale, kUsable / bounds.height());
    const qreal scaleX = std::min(scaleY, kUsable / bounds.width());
    qreal top = layout.baseline + bounds.top() * scaleY;
    const qreal height = bounds.height() * scaleY;
    top = std::clamp(top, kMargin, kMargin + kUsable - height);
    const qreal left = kMargin + (kUsable - bounds.width() * scaleX) / 2;
    QTransform transform;
    transform.translate(left - bounds.left() * scaleX, top - bounds.top() * scaleY);
    transform.scale(scaleX, scaleY);
    return transform.map(path);
}

QBrush fillFor(int frame, bool latin, const QRectF& bounds) {
    if (!latin || frame == 4) {
        const QColor colours[] = {Qt::white, kGreen, kRed, kBlue, Qt::white};
        return colours[frame];
    }
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    const QColor from[] = {Qt::white, kGreen, kRed, kBlue};
    const QColor to[] = {Qt::white, kRed, kGreen, kCyan};
    gradient.setColorAt(0, from[frame]);
    gradient.setColorAt(1, to[frame]);
    return gradient;
}

void drawFrame(QPainter& painter, const QPainterPath& path, int frame, bool latin) {
    if (frame == 0) {
        // A dotted dark outline; the inside stays white, that is, transparent.
        QPen dots(QColor(0x20, 0x20, 0x20), 1.5, Qt::CustomDashLine);
        dots.setDashPattern({1.4, 1.4});
        painter.strokePath(path, dots);
        return;
    }
    painter.fillPath(path.translated(kShadow, kShadow), kGrey);
    painter.fillPath(path, fillFor(frame, latin, path.boundingRect()));
    const QColor rims[] = {Qt::black, kGreen.darker(200), kRed.darker(200), kBlue.darker(200),
                           latin ? kSilver : kGrey};
    painter.strokePath(path, QPen(rims[frame], frame == 4 ? 2 : 1.5));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mirelta-glyphs FONT.ttf OUTPUT-FOLDER\n");
        return 2;
    }
    const int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[1]));
    if (id < 0) {
        std::fprintf(stderr, "mirelta-glyphs: cannot load font %s\n", argv[1]);
        return 2;
    }
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPixelSize(100);
    font.setBold(true);
    const Layout layout = layoutFor(font);

    for (int index = 0; index < mirelta::kGlyphCount; ++index) {
        QImage strip(kFrame * kFrames, kFrame, QImage::Format_RGB888);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QPainterPath path = placed(font, layout, characterOf(index));
        for (int frame = 0; frame < kFrames; ++frame) {
            painter.save();
            painter.setClipRect(frame * kFrame, 0, kFrame, kFrame);
            painter.translate(frame * kFrame, 0);
            drawFrame(painter, path, frame, index >= kLatinFirst);
            painter.restore();
        }
        painter.end();
        const QString file =
            QStringLiteral("%1/%2.bmp").arg(QString::fromLocal8Bit(argv[2])).arg(index);
        if (!strip.save(file, "BMP")) {
            std::fprintf(stderr, "mirelta-glyphs: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

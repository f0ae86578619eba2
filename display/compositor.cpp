#include "display/compositor.h"

#include "display/gentle_tone.h"
#include "display/glyph_strips.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>

namespace mirelta {
namespace {

constexpr QRect kPanel(0, 0, kPanelSize, kPanelSize);

QRgb* row(QImage& frame, int y) {
    return reinterpret_cast<QRgb*>(frame.scanLine(y));
}

// A 24-bit pixel in blue, green, red order read as one word: in little-endian memory that is
// 0x00RRGGBB, the layout of the frame's pixels. It reads one byte past the pixel, so the last
// pixel of a row is read byte by byte instead.
inline QRgb readBgr(const uchar* pixel) {
    quint32 word = 0;
    std::memcpy(&word, pixel, sizeof word);
    return qFromLittleEndian(word) & 0x00FFFFFFu;
}

inline QRgb readLastBgr(const uchar* pixel) {
    return QRgb(pixel[0]) | (QRgb(pixel[1]) << 8) | (QRgb(pixel[2]) << 16);
}

// The usual case, a picture of the panel's size: plain passes the compiler vectorises, one for
// each way of treating the left-out pixels.
template <bool FillKeyed>
void drawBackgroundRows(const QImage& picture, QRgb key, QRgb face, QImage& frame) {
    for (int y = 0; y < kPanelSize; ++y) {
        const uchar* source = picture.constScanLine(y);
        QRgb* target = row(frame, y);
        for (int x = 0; x + 1 < kPanelSize; ++x) {
            const QRgb pixel = readBgr(source + std::ptrdiff_t{3} * x);
            target[x] = pixel != key ? 0xFF000000u | pixel : FillKeyed ? face : target[x];
        }
        const int last = kPanelSize - 1;
        const QRgb pixel = readLastBgr(source + std::ptrdiff_t{3} * last);
        target[last] = pixel != key ? 0xFF000000u | pixel : FillKeyed ? face : target[last];
    }
}

bool drawsBackground(const BackgroundPicture& background) {
    return background.visible && !background.picture.isNull() &&
           background.picture.format() == QImage::Format_BGR888;
}

// The background picture stretched over the whole panel, leaving out its key colour. When it is
// the first thing drawn, the pixels it leaves out get the face colour in the same pass, which
// spares filling the frame first.
void drawBackground(const BackgroundPicture& background, QImage& frame, bool fillKeyed, QRgb face) {
    const QImage& picture = background.picture;
    const int width = picture.width();
    const int height = picture.height();
    const uchar* keyPixel = picture.constScanLine(height - 1);
    const QRgb key = readLastBgr(keyPixel);
    if (width == kPanelSize && height == kPanelSize) {
        if (fillKeyed) {
            drawBackgroundRows<true>(picture, key, face, frame);
        } else {
            drawBackgroundRows<false>(picture, key, face, frame);
        }
        return;
    }
    if (fillKeyed) {
        frame.fill(face);
    }
    std::array<int, kPanelSize> sourceX{};
    for (int x = 0; x < kPanelSize; ++x) {
        sourceX[x] = 3 * (x * width / kPanelSize);
    }
    for (int y = 0; y < kPanelSize; ++y) {
        const uchar* source = picture.constScanLine(y * height / kPanelSize);
        QRgb* target = row(frame, y);
        for (int x = 0; x < kPanelSize; ++x) {
            const QRgb pixel = readLastBgr(source + sourceX[x]);
            target[x] = pixel != key ? 0xFF000000u | pixel : target[x];
        }
    }
}

// One frame of a strip stretched over the cell, leaving out the cell's transparent colour.
void drawCell(const GlyphCell& cell, QImage& frame) {
    const QImage& strip = cell.strip()->pixels();
    const QRect target = cell.geometry();
    const QRect visible = target.intersected(kPanel);
    if (visible.isEmpty() || cell.frameWidth() <= 0) {
        return;
    }
    const int sourceLeft = cell.currentFrame() * cell.frameWidth();
    const int sourceWidth = cell.frameWidth();
    const int sourceHeight = strip.height();
    const QRgb key = cell.transparentColour() & 0x00FFFFFFu;
    if (target.size() == QSize(sourceWidth, sourceHeight) && visible == target) {
        for (int y = 0; y < sourceHeight; ++y) {
            const auto* source = reinterpret_cast<const QRgb*>(strip.constScanLine(y)) + sourceLeft;
            QRgb* out = row(frame, target.top() + y) + target.left();
            // A select rather than a branch: whether a glyph pixel is left out follows the
            // letter's shape, which no branch predictor guesses.
            for (int x = 0; x < sourceWidth; ++x) {
                const QRgb pixel = source[x] | 0xFF000000u;
                out[x] = (pixel & 0x00FFFFFFu) != key ? pixel : out[x];
            }
        }
        return;
    }
    std::array<int, kPanelSize> sourceX{};
    for (int x = visible.left(); x <= visible.right(); ++x) {
        sourceX[x] = sourceLeft + (x - target.left()) * sourceWidth / target.width();
    }
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(
            strip.constScanLine((y - target.top()) * sourceHeight / target.height()));
        QRgb* out = row(frame, y);
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const QRgb pixel = source[sourceX[x]] | 0xFF000000u;
            out[x] = (pixel & 0x00FFFFFFu) != key ? pixel : out[x];
        }
    }
}

// A picture at its own size, cut to its box and to the panel.
void drawPicture(const PictureBox& box, QImage& frame) {
    const QImage& picture = box.picture();
    const QRect area = QRect(box.position(), box.size())
                           .intersected(QRect(box.position(), picture.size()))
                           .intersected(kPanel);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* source =
            reinterpret_cast<const QRgb*>(picture.constScanLine(y - box.position().y()));
        std::memcpy(row(frame, y) + area.left(), source + (area.left() - box.position().x()),
                    sizeof(QRgb) * static_cast<std::size_t>(area.width()));
    }
}

} // namespace

void composePanel(const PanelScene& scene, QImage& frame) {
    if (const QImage* held = scene.heldFrame(); held != nullptr && !held->isNull()) {
        frame = *held; // drawn and toned already
        return;
    }
    if (frame.size() != QSize(kPanelSize, kPanelSize) || frame.format() != QImage::Format_RGB32) {
        frame = QImage(kPanelSize, kPanelSize, QImage::Format_RGB32);
    }
    // The face is filled only when something other than the background is drawn first.
    bool covered = false;
    const auto face = [&] {
        if (!covered) {
            frame.fill(scene.faceColour());
            covered = true;
        }
    };
    for (const PanelScene::Element& element : scene.stacking()) {
        switch (element.kind) {
        case PanelScene::Kind::Scenario:
        case PanelScene::Kind::Photo: {
            const PictureBox& box = element.kind == PanelScene::Kind::Scenario
                                        ? scene.scenarioPicture()
                                        : scene.photo();
            if (box.isVisible() && !box.isEmpty()) {
                face();
                drawPicture(box, frame);
            }
            break;
        }
        case PanelScene::Kind::Background:
            if (drawsBackground(scene.background())) {
                drawBackground(scene.background(), frame, !covered, scene.faceColour());
                covered = true;
            }
            break;
        default:
            if (const GlyphCell* cell = scene.cell(element); cell && cell->drawsSomething()) {
                face();
                drawCell(*cell, frame);
            }
        }
    }
    face();
    if (scene.gentle()) {
        toneDownFrame(frame);
    }
}

} // namespace mirelta

#include "gui/session/ring_surface.h"

#include "gui/session/frame_exchange.h"

#include <QPainter>

namespace mirelta {
namespace {

// The two system colours of the frame rings: the active window caption and the desktop.
QRgb ringColour(std::uint32_t colour) {
    if (colour & 0x80000000u) {
        return (colour & 0xFF) == 1 ? qRgb(0x3A, 0x6E, 0xA5) : qRgb(0x0A, 0x24, 0x6A);
    }
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

void RingSurface::begin(QSize size, const QColor& background) {
    surface_ = QImage(size, QImage::Format_RGB32);
    surface_.fill(background);
}

void RingSurface::drawNew(FrameExchange& frames) {
    if (surface_.isNull()) {
        return;
    }
    QPainter painter(&surface_);
    for (const Ring& ring : frames.takeRings()) {
        ring.draw(painter, QColor(ringColour(ring.colour)));
    }
}

void RingSurface::paint(QPainter& painter, const QRect& area, const QColor& background) const {
    if (surface_.isNull()) {
        painter.fillRect(area, background);
    } else {
        painter.drawImage(area, surface_, area);
    }
}

} // namespace mirelta

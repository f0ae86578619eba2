#pragma once
// The frame rings a session draws on the window's surface around the panel. They stay where they
// were drawn for the whole session: each repaint adds the rings that came since the last one.

#include <QColor>
#include <QImage>

class QPainter;
class QRect;

namespace mirelta {

class FrameExchange;

class RingSurface {
public:
    // A fresh surface of the window's size in its background colour, as a session starts.
    void begin(QSize size, const QColor& background);
    // Adds the rings the session drew since the last call.
    void drawNew(FrameExchange& frames);
    // Paints `area` of the surface; outside a session, the background colour.
    void paint(QPainter& painter, const QRect& area, const QColor& background) const;

private:
    QImage surface_;
};

} // namespace mirelta

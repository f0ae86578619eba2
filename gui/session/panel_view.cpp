#include "gui/session/panel_view.h"

#include "gui/session/frame_exchange.h"

#include <QPainter>

namespace mirelta {

PanelView::PanelView(const FrameExchange& frames, QWidget* parent)
    : QWidget(parent), frames_(frames) {
    setObjectName(QStringLiteral("Pkod"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage frame = frames_.frame();
    if (frame.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
    } else {
        painter.drawImage(0, 0, frame);
    }
}

} // namespace mirelta

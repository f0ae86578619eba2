#include "gui/widgets/clickable_label.h"

#include <QMouseEvent>

namespace mirelta {

ClickableLabel::ClickableLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
}

void ClickableLabel::setBackground(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
}

QColor ClickableLabel::background() const {
    return palette().color(QPalette::Window);
}

void ClickableLabel::setUnderlined(bool underlined) {
    QFont font = this->font();
    font.setUnderline(underlined);
    setFont(font);
}

// A double click is a click followed by a double click: the release that ends it is not a click
// of its own.
void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool endsDoubleClick = afterDoubleClick_;
    afterDoubleClick_ = false;
    if (event->button() == Qt::LeftButton && !endsDoubleClick &&
        rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        afterDoubleClick_ = true;
        Q_EMIT doubleClicked();
    }
}

void ClickableLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Q_EMIT entered();
}

} // namespace mirelta

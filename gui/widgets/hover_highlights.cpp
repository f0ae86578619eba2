#include "gui/widgets/hover_highlights.h"

#include "gui/widgets/clickable_label.h"

#include <QEvent>
#include <QWidget>

namespace mirelta {

void HoverHighlights::addLabel(ClickableLabel* label, const QColor& normal,
                               std::vector<ClickableLabel*> resets) {
    normal_[label] = normal;
    label->setBackground(normal);
    resets_[label] = std::move(resets);
    connect(label, &ClickableLabel::entered, this, [this, label] { entered(label); });
}

void HoverHighlights::addArea(QWidget* area, std::vector<ClickableLabel*> resets) {
    resets_[area] = std::move(resets);
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

void HoverHighlights::entered(ClickableLabel* label) {
    const auto normal = normal_.find(label);
    if (normal != normal_.end() && label->background() == normal->second) {
        label->setBackground(kHighlightColour);
    }
    reset(resets_[label]);
}

void HoverHighlights::movedOver(QWidget* area) {
    reset(resets_[area]);
}

// Only a lit label goes back to normal; a label in any other colour is left alone.
void HoverHighlights::reset(const std::vector<ClickableLabel*>& labels) {
    for (ClickableLabel* label : labels) {
        const auto normal = normal_.find(label);
        if (normal != normal_.end() && label->background() == kHighlightColour) {
            label->setBackground(normal->second);
        }
    }
}

bool HoverHighlights::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (auto* area = qobject_cast<QWidget*>(watched)) {
            movedOver(area);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mirelta

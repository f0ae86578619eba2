#include "engine/flash_limiter.h"

#include "display/compositor.h"
#include "display/panel_scene.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace mirelta {
namespace {

constexpr double kRefreshMs = 1000.0 / 60.0;

// The panel's place in the window, as the rings are placed around it.
QPoint panelPlace(QSize window) {
    const auto at = [](int side) {
        return static_cast<int>(std::trunc(side / 2.0 - kPanelSize / 2.0));
    };
    return {at(window.width()), at(window.height())};
}

QColor ringColour(std::uint32_t colour) {
    // A system colour is the desktop's, which only the window knows: measured as a middle grey.
    if ((colour & 0x80000000u) != 0) {
        return QColor(128, 128, 128);
    }
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

// The scene shows the state let through last while a held-back state takes its time; whatever
// way the presenting ends.
class HeldPanel {
public:
    HeldPanel(PanelScene& scene, const QImage* panel) : scene_(scene) {
        scene_.setHeldFrame(panel);
    }
    ~HeldPanel() { scene_.setHeldFrame(nullptr); }
    HeldPanel(const HeldPanel&) = delete;
    HeldPanel& operator=(const HeldPanel&) = delete;

private:
    PanelScene& scene_;
};

} // namespace

FlashLimiter::FlashLimiter(PanelScene& scene, QSize window, Screen& screen, RingCanvas& rings,
                           SessionTrace* trace)
    : scene_(scene), screen_(screen), rings_(rings), trace_(trace),
      window_(window.expandedTo(QSize(kPanelSize, kPanelSize)), QImage::Format_RGB32),
      panelAt_(panelPlace(window_.size())), monitor_(window_.size()) {
    window_.fill(Qt::black);
}

void FlashLimiter::drawRing(const QRect& corners, std::uint32_t colour) {
    pending_.push_back({corners, colour});
    drawOnScreen(pending_.back());
}

// Drawn at once on the screen measured: they reach the real one with the next state let through,
// and that state is measured with them.
void FlashLimiter::drawOnScreen(const PendingRing& ring) {
    QPainter painter(&window_);
    painter.setPen(ringColour(ring.colour));
    const QRect& c = ring.corners;
    painter.drawRect(c.left(), c.top(), c.width() - 2, c.height() - 2);
}

long FlashLimiter::refreshesFor(int milliseconds) {
    plannedMs_ += std::max(0, milliseconds);
    const long end = std::max(refreshesPlanned_ + 1, std::lround(plannedMs_ / kRefreshMs));
    const long count = end - refreshesPlanned_;
    refreshesPlanned_ = end;
    return count;
}

void FlashLimiter::passRefreshes(long count) {
    for (long i = 0; i < count; ++i) {
        monitor_.hold();
    }
}

// A rest is seen only after the first refresh of the state before it, for the rest of its time.
void FlashLimiter::present(Shown what, int milliseconds) {
    if (what == Shown::Rest) {
        const long refreshes = restRefreshes_;
        if (refreshes == 0) {
            screen_.present(what, milliseconds);
            return;
        }
        restRefreshes_ = refreshes - 1;
    } else {
        passRefreshes(restRefreshes_);
        restRefreshes_ = refreshesFor(milliseconds) - 1;
    }
    composePanel(scene_, panel_);
    QPainter(&window_).drawImage(panelAt_, panel_);
    const FrameVerdict& verdict = monitor_.look(window_);
    if (verdict.fails() && letThrough_ > 0) {
        monitor_.hold();
        ++held_;
        if (trace_ != nullptr) {
            trace_->event("held");
        }
        const HeldPanel held(scene_, &shownPanel_);
        screen_.present(what, milliseconds);
        return;
    }
    monitor_.keep();
    ++letThrough_;
    for (const PendingRing& ring : pending_) {
        rings_.drawRing(ring.corners, ring.colour);
    }
    pending_.clear();
    shownPanel_ = panel_;
    screen_.present(what, milliseconds);
}

} // namespace mirelta

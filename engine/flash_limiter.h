#pragma once
// The gentle session's last line against flashing: every state is looked at as the whole screen
// will show it (the panel at the middle of the window, the rings around it) before it is
// presented, and one that would make a flash too many in the last second, or an extended
// failure, is held back: the screen keeps the state shown before it for that time, and the rings
// drawn meanwhile wait for the next state let through. States are measured on the session's own
// clock at 60 refreshes a second, the pace of the fastest letter step, as the pacer rounds them.

#include "display/screen.h"
#include "engine/session_io.h"
#include "safety/flash_monitor.h"

#include <QImage>
#include <QSize>
#include <vector>

namespace mirelta {

class PanelScene;

class FlashLimiter final : public Screen, public RingCanvas {
public:
    // `screen` and `rings` are where the states and rings let through go; `trace` gets a line
    // "held" for every state held back.
    FlashLimiter(PanelScene& scene, QSize window, Screen& screen, RingCanvas& rings,
                 SessionTrace* trace);

    void present(Shown what, int milliseconds) override;
    void drawRing(const QRect& corners, std::uint32_t colour) override;

    long held() const { return held_; }
    long letThrough() const { return letThrough_; }

private:
    struct PendingRing {
        QRect corners;
        std::uint32_t colour;
    };

    // How many refreshes the state that ends `milliseconds` after the last one lasts.
    long refreshesFor(int milliseconds);
    void passRefreshes(long count);
    void drawOnScreen(const PendingRing& ring);

    PanelScene& scene_;
    Screen& screen_;
    RingCanvas& rings_;
    SessionTrace* trace_;
    QImage window_; // the screen as the states let through left it, with the rings waiting
    QPoint panelAt_;
    QImage panel_;
    QImage shownPanel_; // the panel of the last state let through
    FlashMonitor monitor_;
    std::vector<PendingRing> pending_;
    double plannedMs_ = 0;
    long refreshesPlanned_ = 0;
    long restRefreshes_ = 0; // of the state presented last, after its first refresh
    long held_ = 0;
    long letThrough_ = 0;
    bool lastHeld_ = false;
};

} // namespace mirelta

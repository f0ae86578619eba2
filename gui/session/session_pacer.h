#pragma once
// A session's screen and ring canvas when it plays for a person: every presented state becomes a
// frame on the display, one after the other, each on the refresh its planned length gives it,
// counted in the display's own refreshes from the first state. Where frames go and how refreshes
// pass are the sink's, so that the same pacing runs the window's sessions and, on refreshes that
// only count, whole sessions in tests and in the flash checker.

#include "display/screen.h"
#include "engine/session_io.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/session_timeline.h"

#include <vector>

namespace mirelta {

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Takes the panel as it is now, with the rings drawn since the frame taken before, as the
    // next frame.
    virtual void compose(std::vector<Ring>& rings) = 0;
    // Puts the frame taken last on the display on refresh `notBefore` or, when that has passed,
    // on the next one, and returns once it is there with the refresh it went up on; throws
    // SessionCancelled when the session is ended meanwhile. `plannedRefreshes` is how long it is
    // meant to stay (0 for a rest, which stays the rest of its state's time).
    virtual long show(Shown what, long notBefore, long plannedRefreshes) = 0;
    // Returns once refresh `refresh` has come; throws SessionCancelled like show().
    virtual void waitFor(long refresh) = 0;
};

class SessionPacer final : public Screen, public RingCanvas {
public:
    SessionPacer(FrameSink& sink, double refreshMs) : sink_(sink), timeline_(refreshMs) {}

    void drawRing(const QRect& corners, std::uint32_t colour) override {
        rings_.push_back({corners, colour});
    }
    void present(Shown what, int milliseconds) override;
    // Keeps the last state on the screen for the rest of its time.
    void finish() { sink_.waitFor(timeline_.deadline()); }

    const SessionTimeline& timeline() const { return timeline_; }
    long presented() const { return presented_; }

private:
    FrameSink& sink_;
    SessionTimeline timeline_;
    std::vector<Ring> rings_;
    long presented_ = 0;
    bool started_ = false;
};

} // namespace mirelta

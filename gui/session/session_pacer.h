#pragma once
// A session's screen and ring canvas when it plays for a person: every presented state becomes a
// frame on the screen, one after the other, each at the deadline its planned length gives it on
// one clock from the first state. Where frames go and how time passes are handed in, so that the
// same pacing runs the window's sessions and, on a clock that only jumps, whole sessions in tests.

#include "display/screen.h"
#include "engine/session_io.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/session_timeline.h"

#include <vector>

namespace mirelta {

class PacingClock {
public:
    virtual ~PacingClock() = default;
    // Milliseconds from any fixed moment; safe to call from any thread.
    virtual double nowMs() const = 0;
    // Returns at `milliseconds` on this clock, at once when that has passed; throws
    // SessionCancelled when the session is ended meanwhile.
    virtual void waitUntil(double milliseconds) = 0;
};

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Takes the panel as it is now, with the rings drawn since the frame taken before, as the
    // next frame.
    virtual void compose(std::vector<Ring>& rings) = 0;
    // Puts the frame taken last on the screen and returns once it is there, with that moment on
    // the pacing clock; throws SessionCancelled when the session is ended meanwhile.
    virtual double show(Shown what) = 0;
};

class SessionPacer final : public Screen, public RingCanvas {
public:
    SessionPacer(PacingClock& clock, FrameSink& sink, double refreshMs)
        : clock_(clock), sink_(sink), timeline_(refreshMs) {}

    void drawRing(const QRect& corners, std::uint32_t colour) override {
        rings_.push_back({corners, colour});
    }
    void present(Shown what, int milliseconds) override;
    // Keeps the last state on the screen for the rest of its time.
    void finish() { clock_.waitUntil(timeline_.deadline()); }

    const SessionTimeline& timeline() const { return timeline_; }
    long presented() const { return presented_; }

private:
    PacingClock& clock_;
    FrameSink& sink_;
    SessionTimeline timeline_;
    std::vector<Ring> rings_;
    long presented_ = 0;
    bool started_ = false;
};

} // namespace mirelta

#pragma once
// A session run straight through on the calling thread, with no pacing: for the trace runner and
// the tests, which want every event of a session in milliseconds and in the same order every time.

#include "display/screen.h"
#include "engine/session_io.h"
#include "gui/session/session_driver.h"

#include <optional>

namespace mirelta {

class DirectSessionDriver final : public SessionDriver, private Screen, private RingCanvas {
public:
    explicit DirectSessionDriver(SessionTrace* trace = nullptr) : trace_(trace) {}

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override;
    bool isRunning() const override { return running_; }
    void cancel() override {}

    // The window's outer size the session works with, instead of the one the window reports.
    std::optional<QSize> windowSize;

    // What the last session asked of its screen.
    long presented = 0;
    long heldMilliseconds = 0;
    long rings = 0;

private:
    void present(Shown, int milliseconds) override {
        ++presented;
        heldMilliseconds += milliseconds;
    }
    void drawRing(const QRect&, std::uint32_t) override { ++rings; }

    SessionTrace* trace_;
    bool running_ = false;
};

} // namespace mirelta

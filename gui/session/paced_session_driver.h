#pragma once
// The session of the real program: the engine runs on a thread of its own, every state it
// presents is painted on the window and kept there for its time, to whole refreshes of the screen
// on one clock from the first state, and the window stays responsive, so that a key or a double
// click ends the session within a refresh.

#include "display/screen.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/session_driver.h"

#include <QPointer>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QWidget;

namespace mirelta {

class PanelScene;
class PacingClock;

// One frame that reached the window: when (milliseconds from the session's first frame), what it
// showed, and the CRC-32 of its pixels (rows from the top, each pixel as its bytes red, green,
// blue).
struct PresentedFrame {
    double atMs;
    Shown what;
    std::uint32_t checksum;
};

// How the last session kept time.
struct SessionFigures {
    long framesPresented = 0;
    double refreshMs = 0;
    double longestLatenessMs = 0; // how much later than planned a frame reached the window
    double plannedMs = 0;         // from the first frame to the planned end of the last state
    double sessionMs = 0;         // the same, as it went
};

struct PacingOptions {
    // The screen's refresh rate, instead of the one the window's screen reports.
    std::optional<double> refreshHz;
    // The clock the states are timed by; the steady clock when none is given.
    PacingClock* clock = nullptr;
    // Keep a PresentedFrame for every frame of a session.
    bool logFrames = false;
};

class PacedSessionDriver final : public SessionDriver {
public:
    using Options = PacingOptions;

    // `panel` and `window` are repainted when a frame or rings arrive.
    PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange, QWidget* panel,
                       QWidget* window, Options options);
    PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange, QWidget* panel,
                       QWidget* window)
        : PacedSessionDriver(scene, exchange, panel, window, Options()) {}
    ~PacedSessionDriver() override;

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override;
    bool isRunning() const override { return thread_.joinable(); }
    void cancel() override;

    SessionFigures figures() const;
    std::vector<PresentedFrame> frameLog() const;

private:
    class WindowSink;
    class SteadyClock;

    void finish();
    double refreshMsOfScreen() const;
    // The window's side: the frame numbered `number` was painted at `at`.
    void markShown(long number, double at);

    const PanelScene& scene_;
    FrameExchange& exchange_;
    QPointer<QWidget> panel_;
    QPointer<QWidget> window_;
    Options options_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
    long shownNumber_ = 0;
    double shownAt_ = 0;
    SessionFigures figures_;
    std::vector<PresentedFrame> frameLog_;
    // The driver's own clock: a repaint queued to the window may still read it after a
    // cancelled session's thread has ended.
    std::unique_ptr<PacingClock> steadyClock_;
};

} // namespace mirelta

#pragma once
// The session of the real program: the engine runs on a thread of its own, and every state it
// presents goes on the display on a refresh the display itself delivered (on Wayland the
// compositor's frame callback for the window's previous commit; on X11 a vertical blank the
// server counts, with the frame put up on the next one through its Present extension), held for
// its planned number of refreshes of the measured cycle, counted from the first state. The
// display is asked what it presented where it can say (wp_presentation, Present's completions).
// The window stays responsive, so that a key or a double click ends the session within a
// refresh.

#include "display/screen.h"
#include "gui/session/display_frames.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/presentation_record.h"
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

// One state that reached the window: when (milliseconds from the session's first state), what it
// showed, the CRC-32 of its pixels (rows from the top, each pixel as its bytes red, green, blue),
// and what the compositor said of it: when it was on the screen (milliseconds from the first
// state's presentation) or that it was discarded; neither where the display does not say.
struct PresentedFrame {
    double atMs; // when its commit began
    Shown what;
    std::uint32_t checksum;
    long plannedRefreshes = 0; // 0 for a rest
    std::optional<double> presentedMs = std::nullopt;
    bool discarded = false;
};

// How the last session kept time.
struct SessionFigures {
    long framesPresented = 0;
    double refreshMs = 0;         // the display's cycle, measured from its refreshes
    double longestLatenessMs = 0; // how much later than planned a state reached the window
    double plannedMs = 0;         // from the first state to the planned end of the last one
    double sessionMs = 0;         // the same, as it went
    double firstStateClockMs = 0; // when the first state was committed, on the steady clock
    RefreshSource refreshSource = RefreshSource::Timer;
    PresentationFigures presentation;
};

struct PacingOptions {
    // The screen's refresh rate, instead of the one the window's screen reports; only a display
    // that paces by a timer reads it.
    std::optional<double> refreshHz;
    // Keep a PresentedFrame for every state of a session.
    bool logFrames = false;
    // For tests of the figures: the paint of state number `holdBackState` (from 1) is held back
    // by `holdBackMs`, as a busy machine would hold it.
    long holdBackState = 0;
    int holdBackMs = 40;
};

class PacedSessionDriver final : public SessionDriver {
public:
    using Options = PacingOptions;

    // `panel` and `window` are repainted when a state or rings arrive.
    PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange, QWidget* panel,
                       QWidget* window, Options options);
    PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange, QWidget* panel,
                       QWidget* window)
        : PacedSessionDriver(scene, exchange, panel, window, Options()) {}
    ~PacedSessionDriver() override;

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override;
    bool isRunning() const override { return frames_.isRunning() || thread_.joinable(); }
    void cancel() override;

    SessionFigures figures() const;
    std::vector<PresentedFrame> frameLog() const;

private:
    class WindowSink;

    // A state the session's thread waits to see on the display.
    struct Request {
        long number;
        Shown what;
        long notBefore;
        long plannedRefreshes;
        QRegion rings;
    };

    void launch(SessionEngine& engine, const SessionSettings& settings, QSize window,
                std::function<void(const SessionOutcome&)> ended, double cycleMs);
    void refreshed(long refresh, double atMs);
    void commitState(const Request& request, long refresh);
    void commitRefresh();
    // The window as the X server's path puts it up: drawn here, in device pixels.
    void drawForServer(const QRegion& area);
    // On the window's thread once the session's thread is gone: the compositor's last answers,
    // the figures, and a line on standard error when states were lost.
    void conclude();
    double nominalRefreshMs() const;

    const PanelScene& scene_;
    FrameExchange& exchange_;
    QPointer<QWidget> panel_;
    QPointer<QWidget> window_;
    Options options_;
    DisplayFrames frames_;
    std::unique_ptr<PresentationFeedbackSource> compositorFeedback_;
    PresentationFeedbackSource* feedback_ = nullptr; // the compositor's, or the X server's path
    QImage windowPicture_;      // the X server's path: the whole window as the frames left it
    PresentationRecord record_; // the window's thread only
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
    long refresh_ = -1; // the display's latest refresh
    std::optional<Request> pending_;
    long shownNumber_ = 0;
    long shownRefresh_ = 0;
    double shownAt_ = 0;
    std::optional<double> firstShownAt_;
    long endRefresh_ = 0;
    std::optional<double> endAt_;
    SessionFigures figures_;
    std::vector<PresentedFrame> frameLog_;
};

} // namespace mirelta

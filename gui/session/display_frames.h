#pragma once
// The display's refreshes, as the window's thread sees them come. On Wayland every refresh is the
// compositor's frame callback for the window's last commit (delivered by Qt as the window's update
// request), so a frame is committed only when the compositor has taken the one before. On an X
// server with the Present extension every refresh is a vertical blank the server counts, and the
// frames go up through that extension (`presentPath()`). The cycle is measured from those
// refreshes, never taken from what the screen reports. Elsewhere a precise timer keeps the
// screen's nominal refresh on one clock. A refresh that came more than half a cycle late (or,
// counted by the server, skipped) counts as missed.
//
// On Wayland every refresh must be answered by exactly one commit of the window's surface
// (`tick` handlers do it), or the callbacks stop.

#include "platform/presentation/present_path.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <vector>

namespace mirelta {

enum class RefreshSource {
    FrameCallbacks, // the compositor's frame callbacks (Wayland)
    ServerBlanks,   // the X server's count of vertical blanks (its Present extension)
    Timer,          // the program's own clock at the screen's nominal refresh
};

class DisplayFrames final : public QObject {
public:
    // How many refreshes measure the cycle before the first state is shown.
    static constexpr int kMeasuredRefreshes = 40;
    static constexpr std::size_t kSettlingRefreshes = 4;
    // How long an X server may leave a question about its next refresh unanswered.
    static constexpr int kServerSilenceMs = 250;

    // `tick(refresh, atMs)`: a refresh came; `refresh` counts the display's refreshes from the
    // first one after measuring (missed ones included), `atMs` is its time on the steady clock.
    using Tick = std::function<void(long refresh, double atMs)>;

    // How the X server's Present path is opened for a window.
    using PresentPaths =
        std::function<std::unique_ptr<PresentPath>(QWindow*, PresentPath::Refreshed)>;

    explicit DisplayFrames(
        QObject* parent = nullptr,
        PresentPaths presentPaths = [](QWindow* window, PresentPath::Refreshed refreshed) {
            return presentPathFor(window, std::move(refreshed));
        });

    // Starts counting the refreshes of `window`. `nominalMs` is the screen's own word, used by
    // the timer and as the cycle until it is measured. `measured(cycleMs)` runs once the cycle is
    // known; every refresh after that is a `tick`, and every one before it a `warmUp`.
    void start(QWindow* window, double nominalMs, std::function<void(double)> measured, Tick tick,
               std::function<void()> warmUp);
    void stop();
    bool isRunning() const { return running_; }
    // The X server's way to put frames up on its blanks, while counting by them; null otherwise.
    PresentPath* presentPath() const { return path_.get(); }
    // The server's count of the latest refresh (ServerBlanks only).
    std::uint64_t counter() const { return counter_; }
    // Closes the X server's path once its last answers are read.
    void closePath() { path_.reset(); }

    RefreshSource source() const { return source_; }
    double cycleMs() const { return cycle_; }
    long missed() const { return missed_; }

    // The cycle of a display from the times of its refreshes: neither a late refresh nor a
    // missed one stretches it.
    static double measureCycle(const std::vector<double>& times);
    // How many refreshes passed between two that came `gapMs` apart: at least one, more only
    // when the gap is more than one and a half cycles.
    static long refreshesIn(double gapMs, double cycleMs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshed(double atMs, std::uint64_t counter = 0);
    void counted(std::uint64_t counter, double atMs);
    void serverSilent();
    void startTimer();
    void scheduleTimer();

    QPointer<QWindow> window_;
    RefreshSource source_ = RefreshSource::Timer;
    QTimer timer_;
    QTimer silence_; // how long the X server has not answered
    PresentPaths presentPaths_;
    std::unique_ptr<PresentPath> path_;
    std::uint64_t counter_ = 0;
    std::uint64_t originCounter_ = 0;
    std::uint64_t firstCounter_ = 0; // the first measured refresh's count
    bool running_ = false;
    double nominal_ = 1000.0 / 60;
    double cycle_ = 1000.0 / 60;
    double origin_ = 0;
    std::vector<double> warmUpTimes_;
    std::size_t warmUpCount_ = 0;
    bool measuredYet_ = false;
    double last_ = 0;
    long refresh_ = 0;
    long missed_ = 0;
    std::function<void(double)> measured_;
    Tick tick_;
    std::function<void()> warmUp_;
};

double steadyClockMs();

} // namespace mirelta

#include "gui/session/display_frames.h"

#include <QEvent>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace mirelta {

double steadyClockMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

DisplayFrames::DisplayFrames(QObject* parent, PresentPaths presentPaths)
    : QObject(parent), presentPaths_(std::move(presentPaths)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { refreshed(steadyClockMs()); });
    silence_.setSingleShot(true);
    silence_.setInterval(kServerSilenceMs);
    connect(&silence_, &QTimer::timeout, this, &DisplayFrames::serverSilent);
}

double DisplayFrames::measureCycle(const std::vector<double>& times) {
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) {
        gaps.push_back(times[i] - times[i - 1]);
    }
    if (gaps.empty()) {
        return 0;
    }
    // The median says roughly how long a refresh is, however late some came; the whole span
    // over the refreshes it holds says it exactly, as each one's lateness is only its own.
    std::vector<double> sorted = gaps;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2),
                     sorted.end());
    const double rough = sorted[sorted.size() / 2];
    if (rough <= 0) {
        return 0;
    }
    // A gap far shorter than a refresh is no refresh of the display: an update Qt delivered at
    // once because no commit was waiting for a callback yet, as at the start.
    double span = 0;
    long refreshes = 0;
    for (const double gap : gaps) {
        if (gap >= 0.6 * rough) {
            span += gap;
            refreshes += std::max(1L, std::lround(gap / rough));
        }
    }
    return refreshes > 0 ? span / static_cast<double>(refreshes) : 0;
}

long DisplayFrames::refreshesIn(double gapMs, double cycleMs) {
    if (cycleMs <= 0 || gapMs <= 1.5 * cycleMs) {
        return 1;
    }
    return std::max(2L, std::lround(gapMs / cycleMs));
}

void DisplayFrames::start(QWindow* window, double nominalMs, std::function<void(double)> measured,
                          Tick tick, std::function<void()> warmUp) {
    stop();
    window_ = window;
    nominal_ = nominalMs;
    cycle_ = nominalMs;
    measured_ = std::move(measured);
    tick_ = std::move(tick);
    warmUp_ = std::move(warmUp);
    warmUpTimes_.clear();
    warmUpCount_ = 0;
    refresh_ = 0;
    missed_ = 0;
    running_ = true;
    path_.reset();
    counter_ = 0;
    const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
    if (window != nullptr && !wayland) {
        path_ = presentPaths_(
            window, [this](std::uint64_t counter, double atMs) { counted(counter, atMs); });
    }
    source_ = window != nullptr && wayland ? RefreshSource::FrameCallbacks
              : path_                      ? RefreshSource::ServerBlanks
                                           : RefreshSource::Timer;
    if (source_ == RefreshSource::FrameCallbacks) {
        measuredYet_ = false;
        window_->installEventFilter(this);
        window_->requestUpdate();
    } else if (source_ == RefreshSource::ServerBlanks) {
        measuredYet_ = false;
        path_->askForRefresh(0); // the refresh at hand
        silence_.start();
    } else {
        startTimer();
    }
}

void DisplayFrames::startTimer() {
    // The nominal refresh is all a timer knows: nothing to measure.
    measuredYet_ = true;
    origin_ = steadyClockMs();
    refresh_ = -1; // the first timeout is refresh 0
    last_ = origin_;
    measured_(cycle_);
    scheduleTimer();
}

void DisplayFrames::serverSilent() {
    if (!running_ || source_ != RefreshSource::ServerBlanks) {
        return;
    }
    if (counter_ == 0) {
        // A server that offers Present but never answered: the program keeps time itself.
        path_.reset();
        source_ = RefreshSource::Timer;
        startTimer();
        return;
    }
    // An answer that never came stops the count: the question is asked anew for the refresh at
    // hand, and the refreshes that passed meanwhile count as missed.
    path_->askForRefresh(0);
    silence_.start();
}

void DisplayFrames::stop() {
    running_ = false;
    timer_.stop();
    silence_.stop();
    if (window_) {
        window_->removeEventFilter(this);
    }
}

bool DisplayFrames::eventFilter(QObject* watched, QEvent* event) {
    if (running_ && watched == window_ && event->type() == QEvent::UpdateRequest) {
        // Asked again before the commit this refresh makes, so that Qt delivers the next one on
        // that commit's frame callback.
        window_->requestUpdate();
        refreshed(steadyClockMs());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void DisplayFrames::scheduleTimer() {
    // On one clock from the start: a late timeout does not push the ones after it.
    const double due = origin_ + static_cast<double>(refresh_ + 2) * cycle_;
    const double wait = due - steadyClockMs();
    timer_.start(std::max(0, static_cast<int>(std::floor(wait))));
}

void DisplayFrames::counted(std::uint64_t counter, double atMs) {
    if (!running_) {
        return;
    }
    silence_.start();
    if (counter_ != 0 && counter <= counter_) {
        // The count went back or stood (the window went to a screen with a count of its own):
        // this is the next refresh all the same, and the count goes on from it.
        const std::uint64_t shift = counter_ + 1 - counter;
        originCounter_ -= shift;
        firstCounter_ -= shift;
    }
    // An answer read a refresh or more after it came (the window's thread was held up) stands for
    // the refresh now at hand: those that passed meanwhile had no frame of the program's.
    const double late = steadyClockMs() - atMs;
    if (measuredYet_ && late >= cycle_) {
        const auto passed = static_cast<std::uint64_t>(late / cycle_);
        counter += passed;
        atMs += static_cast<double>(passed) * cycle_;
    }
    // Asked before this refresh's frame goes out, as a frame callback is on Wayland; a frame that
    // takes longer than the refresh is then answered at once with the count it reached.
    path_->askForRefresh(counter + 1);
    counter_ = counter;
    refreshed(atMs, counter);
}

void DisplayFrames::refreshed(double atMs, std::uint64_t counter) {
    if (!running_) {
        return;
    }
    if (!measuredYet_) {
        // The first few are Qt's own and the compositor's waking from idle, not its cycle.
        if (++warmUpCount_ > kSettlingRefreshes) {
            if (warmUpTimes_.empty()) {
                firstCounter_ = counter;
            }
            warmUpTimes_.push_back(atMs);
        }
        if (static_cast<int>(warmUpTimes_.size()) > kMeasuredRefreshes) {
            measuredYet_ = true;
            // A server that counts its blanks says how many passed; elsewhere they are guessed
            // from the gaps.
            const double cycle =
                source_ == RefreshSource::ServerBlanks && counter > firstCounter_
                    ? (atMs - warmUpTimes_.front()) / static_cast<double>(counter - firstCounter_)
                    : measureCycle(warmUpTimes_);
            cycle_ = cycle > 0 ? cycle : nominal_;
            last_ = atMs;
            origin_ = atMs;
            originCounter_ = counter;
            refresh_ = 0;
            measured_(cycle_);
            tick_(refresh_, atMs);
        } else {
            warmUp_();
        }
        return;
    }
    if (source_ == RefreshSource::ServerBlanks) {
        // The server counts every blank, whether the program saw it or not.
        const auto due = static_cast<long>(counter - originCounter_);
        missed_ += std::max(0L, due - refresh_ - 1);
        refresh_ = std::max(refresh_ + 1, due);
    } else if (source_ == RefreshSource::Timer) {
        // Counted on one clock from the start: a timeout a little late is still its own refresh;
        // one that passed a whole refresh counts it as missed.
        const long due = std::max(refresh_ + 1, std::lround((atMs - origin_) / cycle_) - 1);
        missed_ += refresh_ >= 0 ? due - refresh_ - 1 : 0;
        refresh_ = due;
    } else {
        // Numbered on one clock from the first refresh: a compositor that repaints only when the
        // window commits starts its cycle over from a late commit, and counting callbacks alone
        // would let that lateness add up.
        const long passed = std::max(refreshesIn(atMs - last_, cycle_),
                                     std::lround((atMs - origin_) / cycle_) - refresh_);
        refresh_ += std::max(1L, passed);
        missed_ += std::max(0L, passed - 1);
    }
    last_ = atMs;
    tick_(refresh_, atMs);
    if (running_ && source_ == RefreshSource::Timer) {
        scheduleTimer();
    }
}

} // namespace mirelta

#include "gui/session/paced_session_driver.h"

#include "display/compositor.h"
#include "display/panel_scene.h"
#include "gui/session/session_pacer.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <zlib.h>

namespace mirelta {

namespace {

// CRC-32 of the frame's pixels, each as its bytes red, green, blue: what an observer of the
// screen reads back for the same picture.
std::uint32_t frameChecksum(const QImage& frame) {
    std::vector<unsigned char> row(static_cast<std::size_t>(3 * frame.width()));
    uLong crc = crc32(0, nullptr, 0);
    for (int y = 0; y < frame.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        unsigned char* out = row.data();
        for (int x = 0; x < frame.width(); ++x) {
            *out++ = static_cast<unsigned char>(qRed(pixels[x]));
            *out++ = static_cast<unsigned char>(qGreen(pixels[x]));
            *out++ = static_cast<unsigned char>(qBlue(pixels[x]));
        }
        crc = crc32(crc, row.data(), static_cast<uInt>(row.size()));
    }
    return static_cast<std::uint32_t>(crc);
}

double steadyMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

// Real time; a wait ends early when the session is cancelled.
class PacedSessionDriver::SteadyClock final : public PacingClock {
public:
    explicit SteadyClock(PacedSessionDriver& driver) : driver_(driver) {}

    double nowMs() const override { return steadyMs(); }

    void waitUntil(double milliseconds) override {
        const auto until = std::chrono::steady_clock::time_point(
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::duration<double, std::milli>(milliseconds)));
        std::unique_lock lock(driver_.mutex_);
        driver_.wake_.wait_until(lock, until, [this] { return driver_.cancelled_; });
        if (driver_.cancelled_) {
            throw SessionCancelled();
        }
    }

private:
    PacedSessionDriver& driver_;
};

// Frames go to the window: each is painted on the window's thread before the session goes on, so
// that none is replaced before it reached the screen.
class PacedSessionDriver::WindowSink final : public FrameSink {
public:
    WindowSink(PacedSessionDriver& driver, PacingClock& clock) : driver_(driver), clock_(clock) {}

    void compose(std::vector<Ring>& rings) override {
        composePanel(driver_.scene_, frame_);
        rings_.insert(rings_.end(), rings.begin(), rings.end());
        rings.clear();
    }

    double show(Shown what) override {
        // Only the outlines of the new rings need drawing on the window's surface.
        QRegion newRings;
        for (const Ring& ring : rings_) {
            newRings += ring.sides();
        }
        driver_.exchange_.publish(frame_, rings_);
        const long number = ++published_;
        QWidget* window = driver_.window_;
        if (window == nullptr) {
            driver_.markShown(number, clock_.nowMs());
        } else {
            QMetaObject::invokeMethod(
                window,
                [&driver = driver_, &clock = clock_, number, newRings] {
                    if (driver.panel_) {
                        driver.panel_->repaint();
                    }
                    if (driver.window_ && !newRings.isEmpty()) {
                        driver.window_->repaint(newRings);
                    }
                    driver.markShown(number, clock.nowMs());
                },
                Qt::QueuedConnection);
        }
        std::unique_lock lock(driver_.mutex_);
        driver_.wake_.wait(lock,
                           [&] { return driver_.cancelled_ || driver_.shownNumber_ >= number; });
        if (driver_.cancelled_) {
            throw SessionCancelled();
        }
        const double shownAt = driver_.shownAt_;
        if (driver_.options_.logFrames) {
            if (!firstShown_) {
                firstShown_ = shownAt;
            }
            driver_.frameLog_.push_back({shownAt - *firstShown_, what, frameChecksum(frame_)});
        }
        return shownAt;
    }

private:
    PacedSessionDriver& driver_;
    PacingClock& clock_;
    QImage frame_;
    std::vector<Ring> rings_;
    long published_ = 0;
    std::optional<double> firstShown_;
};

PacedSessionDriver::PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange,
                                       QWidget* panel, QWidget* window, Options options)
    : scene_(scene), exchange_(exchange), panel_(panel), window_(window), options_(options),
      steadyClock_(std::make_unique<SteadyClock>(*this)) {}

PacedSessionDriver::~PacedSessionDriver() {
    cancel();
}

double PacedSessionDriver::refreshMsOfScreen() const {
    if (options_.refreshHz && *options_.refreshHz > 0) {
        return 1000.0 / *options_.refreshHz;
    }
    QScreen* screen =
        window_ && window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60.0;
    return 1000.0 / rate;
}

void PacedSessionDriver::markShown(long number, double at) {
    {
        std::lock_guard lock(mutex_);
        shownNumber_ = number;
        shownAt_ = at;
    }
    wake_.notify_all();
}

void PacedSessionDriver::start(SessionEngine& engine, const SessionSettings& settings, QSize window,
                               std::function<void(const SessionOutcome&)> ended) {
    cancel();
    const double refreshMs = refreshMsOfScreen();
    {
        std::lock_guard lock(mutex_);
        cancelled_ = false;
        shownNumber_ = 0;
        figures_ = {.refreshMs = refreshMs};
        frameLog_.clear();
    }
    thread_ = std::thread([this, &engine, settings, window, ended = std::move(ended), refreshMs] {
        PacingClock& clock = options_.clock ? *options_.clock : *steadyClock_;
        WindowSink sink(*this, clock);
        SessionPacer pacer(clock, sink, refreshMs);
        std::optional<SessionOutcome> outcome;
        try {
            outcome = engine.run(settings, window, pacer, pacer, nullptr);
            pacer.finish();
        } catch (const SessionCancelled&) {
            outcome.reset();
        }
        {
            std::lock_guard lock(mutex_);
            const SessionTimeline& timeline = pacer.timeline();
            figures_.framesPresented = pacer.presented();
            figures_.longestLatenessMs = timeline.longestLatenessMs();
            figures_.plannedMs = timeline.plannedMs();
            figures_.sessionMs = timeline.startedAt() ? clock.nowMs() - *timeline.startedAt() : 0;
        }
        if (outcome) {
            QMetaObject::invokeMethod(
                window_,
                [this, ended, result = *outcome] {
                    finish();
                    ended(result);
                },
                Qt::QueuedConnection);
        }
    });
}

SessionFigures PacedSessionDriver::figures() const {
    std::lock_guard lock(mutex_);
    return figures_;
}

std::vector<PresentedFrame> PacedSessionDriver::frameLog() const {
    std::lock_guard lock(mutex_);
    return frameLog_;
}

void PacedSessionDriver::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PacedSessionDriver::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
    finish();
}

} // namespace mirelta

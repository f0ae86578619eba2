#include "paced_session_driver.h"

#include "compositor.h"
#include "panel_scene.h"
#include "screen.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <chrono>

namespace mirelta {

using Clock = std::chrono::steady_clock;

// The screen and the ring canvas of a running session: a presented state is composed at once
// and shown for at least one refresh; a hold keeps it for its time, to the nearest refresh.
class PacedSessionDriver::Pacer : public Screen, public RingCanvas {
public:
    Pacer(PacedSessionDriver& driver, double refreshMs)
        : driver_(driver), refresh_(std::chrono::duration<double, std::milli>(refreshMs)),
          next_(Clock::now()) {}

    void drawRing(const QRect& corners, std::uint32_t colour) override {
        rings_.push_back({corners, colour});
    }

    void present() override {
        composePanel(driver_.scene_, frame_);
        // Only the outlines of the new rings need drawing on the window's surface.
        QRegion newRings;
        for (const Ring& ring : rings_) {
            newRings += ring.sides();
        }
        driver_.exchange_.publish(frame_, rings_);
        ++driver_.framesPresented_;
        QMetaObject::invokeMethod(driver_.panel_, "update", Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            driver_.window_,
            [window = driver_.window_, newRings] {
                if (window) {
                    window->update(newRings);
                }
            },
            Qt::QueuedConnection);
        waitRefreshes(1);
    }

    void hold(int milliseconds) override {
        const auto refreshes = std::lround(milliseconds / refreshMs());
        if (refreshes > 1) {
            waitRefreshes(static_cast<int>(refreshes - 1));
        }
    }

private:
    double refreshMs() const { return std::chrono::duration<double, std::milli>(refresh_).count(); }

    void waitRefreshes(int count) {
        const auto now = Clock::now();
        const auto lateness = std::chrono::duration<double, std::milli>(now - next_).count();
        if (lateness > driver_.longestLatenessMs_) {
            driver_.longestLatenessMs_ = lateness;
        }
        // A state that came late starts its own time now rather than cutting it short.
        if (now > next_) {
            next_ = now;
        }
        next_ += std::chrono::duration_cast<Clock::duration>(refresh_ * count);
        std::unique_lock lock(driver_.mutex_);
        driver_.wake_.wait_until(lock, next_, [this] { return driver_.cancelled_; });
        if (driver_.cancelled_) {
            throw SessionCancelled();
        }
    }

    PacedSessionDriver& driver_;
    std::chrono::duration<double, std::milli> refresh_;
    Clock::time_point next_;
    QImage frame_;
    std::vector<Ring> rings_;
};

PacedSessionDriver::PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange,
                                       QWidget* panel, QWidget* window)
    : scene_(scene), exchange_(exchange), panel_(panel), window_(window) {}

PacedSessionDriver::~PacedSessionDriver() {
    cancel();
}

void PacedSessionDriver::start(SessionEngine& engine, const SessionSettings& settings, QSize window,
                               std::function<void(const SessionOutcome&)> ended) {
    cancel();
    cancelled_ = false;
    QScreen* screen =
        window_ && window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60.0;
    refreshMs_ = 1000.0 / rate;
    thread_ = std::thread([this, &engine, settings, window, ended = std::move(ended), rate] {
        Pacer pacer(*this, 1000.0 / rate);
        std::optional<SessionOutcome> outcome;
        try {
            outcome = engine.run(settings, window, pacer, pacer, nullptr);
        } catch (const SessionCancelled&) {
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

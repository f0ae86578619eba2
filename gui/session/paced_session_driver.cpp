#include "gui/session/paced_session_driver.h"

#include "display/compositor.h"
#include "display/panel_scene.h"
#include "gui/session/session_pacer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTransform>
#include <QWidget>
#include <QWindow>
#include <cstdio>
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

} // namespace

// The session's side: each state is handed to the window's thread, which commits it on the
// refresh it is due; the session goes on only once it is there, so none is replaced unseen.
class PacedSessionDriver::WindowSink final : public FrameSink {
public:
    explicit WindowSink(PacedSessionDriver& driver) : driver_(driver) {}

    void compose(std::vector<Ring>& rings) override {
        composePanel(driver_.scene_, frame_);
        rings_.insert(rings_.end(), rings.begin(), rings.end());
        rings.clear();
    }

    long show(Shown what, long notBefore, long plannedRefreshes) override {
        // Only the outlines of the new rings need drawing on the window's surface.
        QRegion newRings;
        for (const Ring& ring : rings_) {
            newRings += ring.sides();
        }
        driver_.exchange_.publish(frame_, rings_);
        const long number = ++published_;
        long shownRefresh = 0;
        double shownAt = 0;
        {
            std::unique_lock lock(driver_.mutex_);
            driver_.pending_ = Request{number, what, notBefore, plannedRefreshes, newRings};
            driver_.wake_.wait(
                lock, [&] { return driver_.cancelled_ || driver_.shownNumber_ >= number; });
            if (driver_.cancelled_) {
                throw SessionCancelled();
            }
            shownRefresh = driver_.shownRefresh_;
            shownAt = driver_.shownAt_ - driver_.firstShownAt_.value_or(driver_.shownAt_);
        }
        if (driver_.options_.logFrames) {
            const std::uint32_t checksum = frameChecksum(frame_);
            std::lock_guard lock(driver_.mutex_);
            driver_.frameLog_.push_back({shownAt, what, checksum, plannedRefreshes});
        }
        return shownRefresh;
    }

    void waitFor(long refresh) override {
        std::unique_lock lock(driver_.mutex_);
        // The window's thread notes the time of this refresh as the session's end.
        driver_.endRefresh_ = refresh;
        driver_.wake_.wait(lock, [&] { return driver_.cancelled_ || driver_.refresh_ >= refresh; });
        if (driver_.cancelled_) {
            throw SessionCancelled();
        }
    }

private:
    PacedSessionDriver& driver_;
    QImage frame_;
    std::vector<Ring> rings_;
    long published_ = 0;
};

PacedSessionDriver::PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange,
                                       QWidget* panel, QWidget* window, Options options)
    : scene_(scene), exchange_(exchange), panel_(panel), window_(window), options_(options) {}

PacedSessionDriver::~PacedSessionDriver() {
    cancel();
}

double PacedSessionDriver::nominalRefreshMs() const {
    if (options_.refreshHz && *options_.refreshHz > 0) {
        return 1000.0 / *options_.refreshHz;
    }
    QScreen* screen =
        window_ && window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() >= 20 ? screen->refreshRate() : 60.0;
    return 1000.0 / rate;
}

void PacedSessionDriver::start(SessionEngine& engine, const SessionSettings& settings, QSize window,
                               std::function<void(const SessionOutcome&)> ended) {
    cancel();
    {
        std::lock_guard lock(mutex_);
        cancelled_ = false;
        refresh_ = -1;
        pending_.reset();
        shownNumber_ = 0;
        shownRefresh_ = 0;
        firstShownAt_.reset();
        endRefresh_ = 0;
        endAt_.reset();
        figures_ = {};
        frameLog_.clear();
    }
    record_.clear();
    QWindow* surface = window_ ? window_->windowHandle() : nullptr;
    frames_.start(
        surface, nominalRefreshMs(),
        [this, &engine, settings, window, ended = std::move(ended), surface](double cycleMs) {
            if (frames_.source() == RefreshSource::FrameCallbacks) {
                compositorFeedback_ = presentationFeedbackFor(surface);
                feedback_ = compositorFeedback_.get();
            } else if (PresentPath* path = frames_.presentPath()) {
                feedback_ = path;
                windowPicture_ = QImage(path->size(), QImage::Format_RGB32);
                windowPicture_.setDevicePixelRatio(surface->devicePixelRatio());
                drawForServer(window_ ? window_->rect() : QRect());
            }
            launch(engine, settings, window, ended, cycleMs);
        },
        [this](long refresh, double atMs) { refreshed(refresh, atMs); },
        [this] { commitRefresh(); });
}

void PacedSessionDriver::launch(SessionEngine& engine, const SessionSettings& settings,
                                QSize window, std::function<void(const SessionOutcome&)> ended,
                                double cycleMs) {
    {
        std::lock_guard lock(mutex_);
        figures_.refreshMs = cycleMs;
        figures_.refreshSource = frames_.source();
    }
    thread_ = std::thread([this, &engine, settings, window, ended = std::move(ended), cycleMs] {
        WindowSink sink(*this);
        SessionPacer pacer(sink, cycleMs);
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
            endRefresh_ = timeline.deadline();
        }
        if (outcome) {
            QMetaObject::invokeMethod(
                window_,
                [this, ended, result = *outcome] {
                    conclude();
                    ended(result);
                },
                Qt::QueuedConnection);
        }
    });
}

// Every refresh is answered by one commit: a state that is due, or a pixel that keeps the
// compositor's callbacks coming while a state stays.
void PacedSessionDriver::refreshed(long refresh, double atMs) {
    std::optional<Request> due;
    {
        std::lock_guard lock(mutex_);
        refresh_ = refresh;
        if (endRefresh_ > 0 && refresh >= endRefresh_ && !endAt_) {
            endAt_ = atMs;
        }
        if (pending_ && refresh >= pending_->notBefore) {
            due = pending_;
            pending_.reset();
        }
    }
    if (due) {
        commitState(*due, refresh);
    } else if (frames_.source() == RefreshSource::FrameCallbacks) {
        // A timer needs no commit to come again; a compositor's frame callback does.
        commitRefresh();
    }
    wake_.notify_all();
    if (feedback_) {
        record_.answered(feedback_->collect());
    }
}

void PacedSessionDriver::commitState(const Request& request, long refresh) {
    if (request.number == options_.holdBackState) {
        std::this_thread::sleep_for(std::chrono::milliseconds(options_.holdBackMs));
    }
    if (feedback_) {
        feedback_->request(request.number);
    }
    // When the commit begins: it may reach the compositor before the repaint below returns.
    const double committed = steadyClockMs();
    if (window_ && panel_) {
        if (PresentPath* path = frames_.presentPath()) {
            // One picture of the panel and the new rings, put up by the server on the next blank.
            const QRegion area = request.rings + QRegion(panel_->geometry());
            drawForServer(area);
            const qreal scale = windowPicture_.devicePixelRatio();
            path->present(windowPicture_, QTransform::fromScale(scale, scale).map(area),
                          request.number, frames_.counter() + 1);
        } else if (frames_.source() == RefreshSource::FrameCallbacks) {
            // The panel and the new rings are marked and then painted by the one repaint that
            // answers every refresh, so they reach the compositor in one commit. (A repaint of
            // the panel's own region leaves the commit to Qt's next flush on Wayland: the state
            // would wait a refresh, and the one after it could replace it unseen.)
            window_->update(request.rings + QRegion(panel_->geometry()));
            commitRefresh();
        } else {
            // An X server takes each put as it comes: the panel whole as one picture, then the
            // new rings' outlines.
            panel_->repaint();
            if (!request.rings.isEmpty()) {
                window_->repaint(request.rings);
            }
        }
    }
    record_.committed({.number = request.number,
                       .what = request.what,
                       .plannedRefreshes = request.plannedRefreshes,
                       .refresh = refresh,
                       .committedMs = committed});
    std::lock_guard lock(mutex_);
    shownNumber_ = request.number;
    shownRefresh_ = refresh;
    shownAt_ = committed;
    if (!firstShownAt_) {
        firstShownAt_ = committed;
        figures_.firstStateClockMs = committed;
    }
}

void PacedSessionDriver::commitRefresh() {
    if (frames_.source() != RefreshSource::FrameCallbacks) {
        return; // nothing waits for a commit to come again
    }
    // One pixel that never changes during a session stands for the whole window: Qt paints and
    // commits everything marked before it along with it.
    if (window_) {
        window_->repaint(QRect(0, 0, 1, 1));
    }
    if (feedback_) {
        feedback_->flushRequests();
    }
}

void PacedSessionDriver::drawForServer(const QRegion& area) {
    if (!window_ || windowPicture_.isNull() || area.isEmpty()) {
        return;
    }
    QPainter painter(&windowPicture_);
    window_->render(&painter, area.boundingRect().topLeft(), area);
}

void PacedSessionDriver::conclude() {
    if (thread_.joinable()) {
        thread_.join();
    }
    frames_.stop();
    const bool answers = feedback_ && feedback_->available();
    if (feedback_) {
        feedback_->settle(200);
        record_.answered(feedback_->collect());
    }
    const FiguresSource source = !answers ? FiguresSource::ProgramClock
                                 : frames_.source() == RefreshSource::ServerBlanks
                                     ? FiguresSource::DisplayServer
                                     : FiguresSource::Compositor;
    if (source == FiguresSource::DisplayServer && window_) {
        // Qt's own picture of the window is older than what the server put up: it paints anew.
        window_->update();
    }
    feedback_ = nullptr;
    compositorFeedback_.reset();
    frames_.closePath();
    windowPicture_ = QImage();
    std::lock_guard lock(mutex_);
    figures_.presentation =
        record_.figures(figures_.refreshMs, endRefresh_, frames_.missed(), source);
    figures_.sessionMs = firstShownAt_ && endAt_ ? *endAt_ - *firstShownAt_ : 0;
    // The compositor's word goes into the frame log beside the program's.
    const std::vector<CommittedState>& states = record_.states();
    std::optional<double> firstPresented;
    for (std::size_t i = 0; i < states.size() && i < frameLog_.size(); ++i) {
        const auto& feedback = states[i].feedback;
        if (feedback && feedback->presented) {
            if (!firstPresented) {
                firstPresented = feedback->presentedMs;
            }
            frameLog_[i].presentedMs = feedback->presentedMs - *firstPresented;
        } else if (feedback) {
            frameLog_[i].discarded = true;
        }
    }
    const PresentationFigures& shown = figures_.presentation;
    if (shown.statesLost() > 0 || shown.refreshesMissed > 0) {
        std::fprintf(stderr,
                     "Мирельта: не показано состояний сеанса: %ld из %ld, пропущено обновлений "
                     "экрана: %ld (по данным: %s)\n",
                     shown.statesLost(), shown.statesPlanned, shown.refreshesMissed,
                     source == FiguresSource::Compositor      ? "отзыв композитора"
                     : source == FiguresSource::DisplayServer ? "отзыв X-сервера"
                                                              : "часы программы");
    }
}

SessionFigures PacedSessionDriver::figures() const {
    std::lock_guard lock(mutex_);
    return figures_;
}

std::vector<PresentedFrame> PacedSessionDriver::frameLog() const {
    std::lock_guard lock(mutex_);
    return frameLog_;
}

void PacedSessionDriver::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() || frames_.isRunning()) {
        conclude();
    }
}

} // namespace mirelta

#include "tools/flash_check/session_film.h"

#include "display/compositor.h"
#include "gui/main_window.h"
#include "gui/session/direct_session_driver.h"
#include "gui/session/frame_exchange.h"
#include "gui/session/ring_surface.h"
#include "gui/session/session_pacer.h"
#include "platform/desktop/dialogs.h"
#include "platform/files/program_folder.h"

#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <optional>

namespace mirelta {

namespace {

// Time that moves only when the session waits.
class JumpingClock final : public PacingClock {
public:
    double nowMs() const override { return now_; }
    void waitUntil(double milliseconds) override { now_ = std::max(now_, milliseconds); }

private:
    double now_ = 0;
};

// Every state the pacer shows becomes the window's picture at the refresh its moment falls on;
// the picture before it is handed to the reel for the refreshes it stayed.
class FilmSink final : public FrameSink {
public:
    FilmSink(const PanelScene& scene, const QWidget& window, double refreshMs, const FilmReel& reel)
        : scene_(scene), refreshMs_(refreshMs), reel_(reel) {
        // As the window does for a session: a fresh ring surface in the window's background
        // colour, the panel where the window placed it.
        const QColor background = window.palette().color(QPalette::ButtonText);
        rings_.begin(window.size(), background);
        const auto* panel = window.findChild<const QWidget*>(QStringLiteral("Pkod"));
        panelAt_ = panel != nullptr ? panel->pos() : QPoint();
        picture_ = QImage(window.size(), QImage::Format_RGB32);
        picture_.fill(background);
    }

    void compose(std::vector<Ring>& rings) override {
        composePanel(scene_, panel_);
        newRings_.insert(newRings_.end(), rings.begin(), rings.end());
        rings.clear();
    }

    double show(Shown) override {
        const double now = clock_->nowMs();
        if (!firstAt_) {
            firstAt_ = now;
        }
        passTo(refreshAt(now));
        exchange_.publish(panel_, newRings_);
        rings_.drawNew(exchange_);
        QPainter painter(&picture_);
        rings_.paint(painter, picture_.rect(), QColor());
        painter.drawImage(panelAt_, panel_);
        return now;
    }

    // The last picture stays until `refresh`.
    void passTo(long refresh) {
        if (shownSince_ && refresh > *shownSince_ && !reel_(picture_, refresh - *shownSince_)) {
            cut = true;
            throw SessionCancelled();
        }
        shownSince_ = refresh;
    }

    // The session ended at `ms`: its last state stays till then, and at least one refresh.
    void end(double ms) {
        if (shownSince_) {
            passTo(std::max(refreshAt(ms), *shownSince_ + 1));
        }
    }

    long refreshAt(double ms) const {
        return firstAt_ ? std::lround((ms - *firstAt_) / refreshMs_) : 0;
    }

    JumpingClock* clock_ = nullptr;
    bool cut = false;

private:
    const PanelScene& scene_;
    double refreshMs_;
    const FilmReel& reel_;
    QPoint panelAt_;
    QImage panel_;
    QImage picture_;
    std::vector<Ring> newRings_;
    FrameExchange exchange_;
    RingSurface rings_;
    std::optional<double> firstAt_;
    std::optional<long> shownSince_;
};

// Runs the window's session at once, on the jumping clock, through the program's pacer.
class FilmDriver final : public SessionDriver {
public:
    FilmDriver(double refreshHz, const FilmReel& reel)
        : refreshMs_(1000.0 / refreshHz), reel_(reel) {}

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override {
        started = true;
        JumpingClock clock;
        FilmSink sink(played->panelScene(), *played, refreshMs_, reel_);
        sink.clock_ = &clock;
        SessionPacer pacer(clock, sink, refreshMs_);
        try {
            const SessionOutcome outcome = engine.run(settings, window, pacer, pacer, nullptr);
            pacer.finish();
            sink.end(clock.nowMs());
            ended(outcome);
        } catch (const SessionCancelled&) {
            cut = sink.cut;
        }
    }
    bool isRunning() const override { return false; }
    void cancel() override {}

    const MainWindow* played = nullptr;
    bool started = false;
    bool cut = false;

private:
    double refreshMs_;
    const FilmReel& reel_;
};

} // namespace

FilmEnd playSessionFilm(const FilmSetup& setup, Dialogs& dialogs, const FilmReel& reel) {
    SilentSoundPlayer sound;
    FilmDriver driver(setup.refreshHz, reel);
    MainWindow window(ProgramFolder(setup.folder), {dialogs, sound, &driver, false});
    driver.played = &window;
    window.showAtStart();
    window.switchBorderOff();
    window.setGeometry(QRect(QPoint(0, 0), setup.window));
    if (setup.beforeStart) {
        setup.beforeStart(window);
    }
    window.findChild<QPushButton*>(QStringLiteral("start"))->click();
    if (!driver.started) {
        return FilmEnd::NotStarted;
    }
    return driver.cut ? FilmEnd::Cut : FilmEnd::Played;
}

} // namespace mirelta

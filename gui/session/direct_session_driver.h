#pragma once
// A session run straight through on the calling thread, with no pacing: for the trace runner and
// the tests, which want every event of a session in milliseconds and in the same order every time.

#include "display/screen.h"
#include "engine/session_io.h"
#include "gui/session/session_driver.h"
#include "platform/sound/sound_player.h"

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

// A sound player without a sound device: a file counts as open when it is a playable sound; an
// opened sound counts as stopped until played, and once played it never stops.
class SilentSoundPlayer : public SoundPlayer {
public:
    bool open(const QString& path) override;
    void play() override { stopped_ = false; }
    void stop() override {}
    void close() override {
        open_ = false;
        stopped_ = true;
    }
    bool isOpen() const override { return open_; }
    bool stopped() const override { return stopped_; }

private:
    bool open_ = false;
    bool stopped_ = true;
};

} // namespace mirelta

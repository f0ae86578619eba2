#pragma once
// One session, from "Старт" to the end of its last pass: the settings taken at "Старт", where it
// plays, and what lasts as long as the session (the glyph display actions, the flashing). The
// engine makes one for each session; each tick works through it.

#include "display/glyph_display.h"
#include "display/screen.h"
#include "engine/panel_flashing.h"
#include "engine/session_outcome.h"
#include "engine/session_settings.h"
#include "engine/session_world.h"

#include <QSize>

namespace mirelta {

struct SessionState;

// Where a session plays: the window's size, the screen that shows its states, the canvas of its
// frame rings and its trace, if it has one.
struct SessionStage {
    QSize window;
    Screen& screen;
    RingCanvas& rings;
    SessionTrace* trace = nullptr;
};

class SessionRun {
public:
    // `cellScreen` takes the repaints of single cells by the display actions.
    SessionRun(SessionWorld& world, TickTimers& timers, const SessionSettings& settings,
               const SessionStage& stage, Screen& cellScreen);

    // The session's part of "Старт", up to the end of the first preparation run: the thesis count
    // comes from the scenario table the suggestion was parsed into. The engine then plays ticks
    // while the timers run.
    void start();
    // How the session ended, once the last tick has finished it.
    const SessionOutcome& outcome() const { return outcome_; }

    // What the ticks work with.
    SessionWorld& world() { return world_; }
    SessionState& state() { return world_.state; }
    const SessionSettings& settings() const { return settings_; }
    const EventTrace& trace() const { return trace_; }
    GlyphDisplay& display() { return display_; }
    PanelFlashing& flashing() { return flashing_; }
    void present(Shown what, int milliseconds) { screen_.present(what, milliseconds); }

    // The preparation run before each sentence: 51 steps of rings and colour passes on the
    // many-coloured picture. At its end the timer of the scenario's colour starts, and from then
    // on the thesis counts as open: each sentence located starts the timer of its own scenario.
    void playPreparation(); // Aprepare
    void locateSentence();  // Alocate
    void putBackground(int index);
    // A sound that has stopped (or never started) starts again while the sound is on.
    void restartStoppedSound();
    // The thesis's picture over everything else, for `milliseconds`.
    void showScenarioPicture(int milliseconds);
    // After the tick that ends the last pass no tick follows.
    void finish(const SessionOutcome& outcome);

private:
    void placeBigLetter();

    SessionWorld& world_;
    TickTimers& timers_;
    const SessionSettings& settings_;
    Screen& screen_;
    EventTrace trace_;
    GlyphDisplay display_;
    PanelFlashing flashing_;
    SessionOutcome outcome_;
};

} // namespace mirelta

#pragma once
// What every part of a session works on: the tables, the state and the panel it plays on, the two
// timers that say which tick comes next, and the trace its events go to; with the few small steps
// that more than one part takes.

#include "engine/session_io.h"

#include <QString>
#include <cmath>
#include <string>

namespace mirelta {

class Backgrounds;
class GlyphStrips;
class PanelScene;
class PictureBox;
class Random;
class RecordTable;
class SoundPlayer;
struct SessionState;

struct SessionWorld {
    RecordTable& letters;  // Tslovo
    RecordTable& scenario; // Tschenar
    SessionState& state;
    PanelScene& scene;              // Pkod
    const GlyphStrips& strips;      // Dalf
    const Backgrounds& backgrounds; // Dkod
    SoundPlayer& sound;
    Random& random;
    QString programFolder;
};

// The colour a thesis's scenario gives its ticks: the red and the green scenes lean towards their
// colour, the grey scene plays grey ticks on the grey picture, any other number plays all colours.
inline constexpr int kRedScenario = 0;
inline constexpr int kGreenScenario = 1;
inline constexpr int kGreyScenario = 2;

// The two timers of the session, one for the colour tick and one for the grey tick: at most one
// runs, and it is the tick that comes next. Neither running: no tick is due and the session is
// over.
struct TickTimers {
    bool colour = false;
    bool grey = false;
    bool running() const { return colour || grey; }
};

// A session's events go to its trace when it has one (the trace runner and its tests); the
// program's own sessions, and the steps taken outside a session, write nothing.
class EventTrace {
public:
    explicit EventTrace(SessionTrace* sink = nullptr) : sink_(sink) {}
    // Lines that cost work to build are built only when they are written.
    bool on() const { return sink_ != nullptr; }
    void operator()(const std::string& line) const {
        if (sink_ != nullptr) {
            sink_->event(line);
        }
    }

private:
    SessionTrace* sink_;
};

// Positions on the panel are whole pixels, cut toward zero as the panel's arithmetic does.
inline int towardZero(double value) {
    return static_cast<int>(std::trunc(value));
}

// The colour number of the scenario row the scenario table stands on.
int scenarioColour(const SessionWorld& world);

// Starts the timer of the grey or of the colour tick and stops the other.
void startTimer(TickTimers& timers, bool grey, const EventTrace& trace);

// Puts a fresh copy of background picture `index` (Backgrounds::kMany ...) on the panel.
void putBackground(SessionWorld& world, int index, const EventTrace& trace);

// Places a picture box so that its middle is the panel's middle.
void centreOnPanel(PictureBox& box);

} // namespace mirelta

#pragma once
// The session: "Старт", the preparation runs, locating each sentence, and the ticks that play the
// sentences, in colour (Akod) or in grey (Akodser). The engine touches no widget: it works on the
// letters and scenario tables, the session state, the panel's scene and the settings taken at
// "Старт", and hands its pictures to a screen, its frame rings to a canvas and its sound to a
// player. It runs until the set number of passes is played or the screen reports that the user
// ended the session.

#include "engine/session_io.h"
#include "engine/session_outcome.h"
#include "engine/session_settings.h"
#include "engine/session_world.h"

#include <QSize>
#include <memory>

namespace mirelta {

class Screen;
struct SessionStage;

class SessionEngine {
public:
    explicit SessionEngine(SessionWorld world);
    ~SessionEngine();

    // Before a session (as the window shows): locates the sentence under the cursor without a
    // trace, so that its thesis's picture and sound are loaded before "Старт"; see
    // locateSentence, which the session itself calls before each sentence.
    void prepareFirstSentence();

    // Plays a whole session: "Старт", then ticks until the passes are played. Throws
    // SessionCancelled when the screen reports that the user ended it.
    SessionOutcome run(const SessionSettings& settings, QSize windowSize, Screen& screen,
                       RingCanvas& rings, SessionTrace* trace);

    bool colourTimer() const { return timers_.colour; }
    bool greyTimer() const { return timers_.grey; }

private:
    // Presses "Старт" on `stage` and plays ticks until the passes are played.
    SessionOutcome play(const SessionStage& stage, const SessionSettings& settings);

    SessionWorld world_;
    // The display actions repaint cells on a screen of their own: the engine itself decides which
    // states become frames.
    std::unique_ptr<Screen> cellScreen_;
    TickTimers timers_;
};

} // namespace mirelta

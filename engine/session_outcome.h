#pragma once
// How a session ended, for the window: whether "Убавлять" lowered the pauses, and to what.

namespace mirelta {

struct SessionOutcome {
    bool lowerPauses = false; // "Убавлять" applied: the session ended in a colour tick
    int wordPause = 0;        // the pauses after any lowering
    int phrasePause = 0;
};

} // namespace mirelta

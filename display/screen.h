#pragma once
// Where the session's pictures go. The display actions and the session say which state must be
// seen and for how long; what becomes a frame on the monitor, and when, is the screen's business.

namespace mirelta {

// What a presented state shows: for the figures and the frame log, and for `Rest`, which splits
// the state before it.
enum class Shown {
    Preparation, // a step of the preparation run before each sentence
    Letter,      // a letter step: its letter, its matrix block, or only its ring and colours
    Rest,        // what follows the first refresh of a matrix letter step
    Blank,       // the step between two words
    Photo,
    WordRow,
    Phrase,
    Picture, // the scenario picture
    Cell,    // one glyph cell repainted by a display action
};

class Screen {
public:
    virtual ~Screen() = default;
    // The panel as it is now is seen for `milliseconds`, rounded to whole refreshes of the
    // screen and at least one. A `Rest` takes over the state presented just before it after that
    // state's first refresh and keeps the screen for the rest of its time (its own milliseconds
    // are not read); when that state lasts a single refresh, a rest is never seen.
    virtual void present(Shown what, int milliseconds) = 0;
};

} // namespace mirelta

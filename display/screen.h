#pragma once
// Where the session's pictures go. The display actions and the session say when a state must be
// seen (`present`) and how long it must stay (`hold`); what becomes a frame on the monitor, and
// when, is the screen's business.

namespace mirelta {

class Screen {
public:
    virtual ~Screen() = default;
    // The panel as it is now is meant to be seen.
    virtual void present() = 0;
    // What is on the screen stays there this many milliseconds.
    virtual void hold(int milliseconds) = 0;
};

} // namespace mirelta

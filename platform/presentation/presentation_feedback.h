#pragma once
// What the display did with the frames a window committed, in the compositor's own words: when a
// frame went on the screen, on which refresh, or that it was replaced before it was ever shown.
// Where the display cannot say (an X server, a compositor without the presentation protocol),
// the source is unavailable and the program keeps its own count.

#include <cstdint>
#include <memory>
#include <vector>

class QWindow;

namespace mirelta {

struct PresentationFeedback {
    long frame = 0;         // the number the frame was requested under
    bool presented = false; // false: discarded, never on the screen
    double presentedMs = 0; // on the steady clock (CLOCK_MONOTONIC), when it turned to light
    double refreshMs = 0;   // the output's refresh period as the compositor reports it; 0: unknown
    std::uint64_t sequence = 0; // the output's refresh counter, when the compositor keeps one
    std::uint32_t flags = 0;    // the presentation protocol's kind flags (vsync, hardware clock...)
};

class PresentationFeedbackSource {
public:
    virtual ~PresentationFeedbackSource() = default;
    virtual bool available() const = 0;
    // Asks about the next frame the window commits; call it just before that commit.
    virtual void request(long frame) = 0;
    // The answers that arrived since the last call, in the order they arrived.
    virtual std::vector<PresentationFeedback> collect() = 0;
    // Sends the window's requests to the display now rather than when its thread next waits
    // for events, so that a commit is not held back by other work of that thread.
    virtual void flushRequests() = 0;
    // Waits up to `milliseconds` for the answers still owed.
    virtual void settle(int milliseconds) = 0;
};

// The compositor's presentation feedback for `window` on Wayland (wp_presentation); elsewhere,
// or when the compositor does not offer it, a source that is not available.
std::unique_ptr<PresentationFeedbackSource> presentationFeedbackFor(QWindow* window);

} // namespace mirelta

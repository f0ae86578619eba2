#pragma once
// What a session hands to the program around it besides the panel's frames: the frame rings on
// the window's surface and, for the trace runner, a line for every event.

#include <QRect>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace mirelta {

class RingCanvas {
public:
    virtual ~RingCanvas() = default;
    // A one-pixel outline with the corners (left, top) and (right, bottom); `colour` is 0x00BBGGRR,
    // or a system colour number with the top bit set. Rings are never erased during a session.
    virtual void drawRing(const QRect& corners, std::uint32_t colour) = 0;
};

class SessionTrace {
public:
    virtual ~SessionTrace() = default;
    virtual void event(const std::string& line) = 0;
};

// Thrown out of a screen's wait when the user ends the session (a key, a double click).
class SessionCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "session cancelled"; }
};

} // namespace mirelta

#pragma once
// Reads the panel's pixels back from the server the moment a frame has reached it, gives their
// checksum, and tells whether a newer frame had overtaken the read-back. Through memory shared with
// the server when it can (one request and no copy through the connection, which keeps the watch
// well within a refresh of each frame), by an ordinary copy when it cannot. Which window, which
// part of it and when to read, and what to count and write of it, are left to the watch.

#include "tools/frame_watch/panel_frames.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <cstdint>
#include <memory>
#include <optional>

namespace mirelta::framewatch {

class SharedImage;

class PanelReadback {
public:
    explicit PanelReadback(Display* display);
    ~PanelReadback();

    PanelReadback(const PanelReadback&) = delete;
    PanelReadback& operator=(const PanelReadback&) = delete;

    // The visual and depth of the window read from: a change drops the shared image made for the
    // previous ones.
    void useVisual(Visual* visual, int depth);

    // The checksum of `box` of `window` as the server holds it now, or nothing when the server
    // refuses the read-back (the window is no longer mapped). The box lies inside the window.
    std::optional<std::uint32_t> checksum(Window window, const Box& box);

    // Whether the server reported a newer frame of `box` (a damage report of `damage` that covers
    // it) before it answered the last read-back: the checksum is then of a later picture. The
    // report stays queued for the watch to count.
    bool overtaken(int damageEvent, Damage damage, const Box& box) const;

private:
    Display* display_;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    std::unique_ptr<SharedImage> shared_;
    unsigned long serial_ = 0;
};

} // namespace mirelta::framewatch

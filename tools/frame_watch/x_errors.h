#pragma once
// Requests on a window that has just gone fail; the watch carries on and notices the destruction
// from its event instead. The handler only notes the error, so that whoever made the requests
// (attaching to a window, reading the panel back) can clear the note, sync, and look; what an
// error means is theirs to judge.

#include <X11/Xlib.h>

namespace mirelta::framewatch {

// The code of the last error the server reported, or 0 since it was last cleared.
extern int lastXError;

// The error handler to install with XSetErrorHandler: notes the error in lastXError.
int noteXError(Display* display, XErrorEvent* error);

} // namespace mirelta::framewatch

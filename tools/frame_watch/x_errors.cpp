#include "tools/frame_watch/x_errors.h"

namespace mirelta::framewatch {

int lastXError = 0;

int noteXError(Display*, XErrorEvent* error) {
    lastXError = error->error_code;
    return 0;
}

} // namespace mirelta::framewatch

#include "gui/session/session_pacer.h"

namespace mirelta {

void SessionPacer::present(Shown what, int milliseconds) {
    if (what == Shown::Rest) {
        if (!started_ || !timeline_.restFits()) {
            return;
        }
        sink_.compose(rings_);
        clock_.waitUntil(timeline_.restAt());
        timeline_.rest(sink_.show(what));
    } else {
        // The frame is composed before the wait, so that it replaces the one before on time.
        sink_.compose(rings_);
        if (started_) {
            clock_.waitUntil(timeline_.deadline());
        }
        timeline_.begin(sink_.show(what), milliseconds);
        started_ = true;
    }
    ++presented_;
}

} // namespace mirelta

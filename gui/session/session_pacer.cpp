#include "gui/session/session_pacer.h"

#include <cmath>

namespace mirelta {

void SessionPacer::present(Shown what, int milliseconds) {
    if (what == Shown::Rest) {
        if (!started_ || !timeline_.restFits()) {
            return;
        }
        sink_.compose(rings_);
        timeline_.rest(sink_.show(what, timeline_.restAt(), 0));
    } else {
        // The frame is composed before its refresh comes, so that it replaces the one before on
        // time. How long it is meant to stay is known before it is shown: the plan does not
        // depend on when it actually went up.
        sink_.compose(rings_);
        const long notBefore = started_ ? timeline_.deadline() : 0;
        SessionTimeline preview = timeline_;
        preview.begin(started_ ? notBefore : 0, milliseconds);
        const long shownAt = sink_.show(what, notBefore, preview.plannedRefreshesOfLast());
        timeline_.begin(shownAt, milliseconds);
        started_ = true;
    }
    ++presented_;
}

} // namespace mirelta

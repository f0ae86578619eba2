#include "gui/session/session_timeline.h"

#include <algorithm>
#include <cmath>

namespace mirelta {

long SessionTimeline::begin(long shownAt, int milliseconds) {
    if (!origin_) {
        origin_ = shownAt;
        deadline_ = shownAt;
    }
    longestLateness_ = std::max(longestLateness_, shownAt - deadline_);
    plannedSum_ += std::max(0, milliseconds);
    const long nearest = std::lround(plannedSum_ / refresh_);
    const long onTimeEnd = std::max(nearest, plannedEnd_ + 1);
    plannedLast_ = onTimeEnd - plannedEnd_;
    plannedEnd_ = onTimeEnd;
    shown_ = shownAt;
    deadline_ = std::max(*origin_ + nearest, shownAt + 1);
    return deadline_;
}

long SessionTimeline::rest(long shownAt) {
    longestLateness_ = std::max(longestLateness_, shownAt - restAt());
    deadline_ = std::max(deadline_, shownAt + 1);
    return deadline_;
}

} // namespace mirelta

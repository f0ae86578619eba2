#include "gui/session/session_timeline.h"

#include <algorithm>
#include <cmath>

namespace mirelta {

double SessionTimeline::begin(double shownAt, int milliseconds) {
    if (!origin_) {
        origin_ = shownAt;
        deadline_ = shownAt;
    }
    longestLateness_ = std::max(longestLateness_, shownAt - deadline_);
    planned_ += std::max(0, milliseconds);
    const double plannedEnd = *origin_ + std::round(planned_ / refresh_) * refresh_;
    shown_ = shownAt;
    deadline_ = std::max(plannedEnd, shownAt + refresh_);
    return deadline_;
}

// Half a refresh of slack: a state that came a little late still has room for its rest.
bool SessionTimeline::restFits() const {
    return deadline_ - shown_ >= 1.5 * refresh_;
}

double SessionTimeline::rest(double shownAt) {
    longestLateness_ = std::max(longestLateness_, shownAt - restAt());
    deadline_ = std::max(deadline_, shownAt + refresh_);
    return deadline_;
}

} // namespace mirelta

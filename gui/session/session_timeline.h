#pragma once
// The frames of a session's states, counted in refreshes of the display from its first state.
// Each state ends at the refresh nearest to the moment the planned lengths of all states so far
// add up to, so rounding to whole refreshes never adds up, and a state that reached the screen
// late is shortened to catch up. Whatever its plan, a state stays at least one refresh after it
// reached the screen: a shorter one would never be seen. So on a slow display the session grows by
// exactly what that minimum forces, and the plan says so.

#include <optional>

namespace mirelta {

class SessionTimeline {
public:
    // `refreshMs`: the display's cycle, as measured from the frames it delivered.
    explicit SessionTimeline(double refreshMs) : refresh_(refreshMs) {}

    // A state planned to last `milliseconds` reached the screen on refresh `shownAt`. Returns the
    // refresh on which the next state may take its place.
    long begin(long shownAt, int milliseconds);

    // Whether the state begun last lasts long enough for a rest to be seen after its first
    // refresh, and on which refresh that rest takes over.
    bool restFits() const { return deadline_ - shown_ >= 2; }
    long restAt() const { return shown_ + 1; }
    // The rest reached the screen on refresh `shownAt`; returns when the next state may come.
    long rest(long shownAt);

    long deadline() const { return deadline_; }
    double refreshMs() const { return refresh_; }
    // Refreshes a state begun last was planned to stay, on a display that is never late.
    long plannedRefreshesOfLast() const { return plannedLast_; }
    // Refreshes from the first state to the planned end of the last one, every state on time.
    long plannedRefreshes() const { return plannedEnd_; }
    double plannedMs() const { return static_cast<double>(plannedEnd_) * refresh_; }
    // How many refreshes later than planned the latest state reached the screen, at most.
    long longestLateness() const { return longestLateness_; }
    double longestLatenessMs() const { return static_cast<double>(longestLateness_) * refresh_; }

private:
    double refresh_;
    std::optional<long> origin_;
    double plannedSum_ = 0; // milliseconds
    long shown_ = 0;
    long deadline_ = 0;
    long plannedEnd_ = 0; // refreshes from the origin, every state on time
    long plannedLast_ = 0;
    long longestLateness_ = 0;
};

} // namespace mirelta

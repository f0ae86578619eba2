#pragma once
// The deadlines of a session's states on one clock from its first state. Each state ends at the
// refresh nearest to the moment the planned lengths of all states so far add up to, so rounding to
// whole refreshes never adds up, and a state that reached the screen late is shortened to catch
// up. Whatever its plan, a state stays at least one refresh after it reached the screen: a shorter
// one might never be seen.

#include <optional>

namespace mirelta {

class SessionTimeline {
public:
    explicit SessionTimeline(double refreshMs) : refresh_(refreshMs) {}

    // A state planned to last `milliseconds` reached the screen at `shownAt` (milliseconds on the
    // session's clock). Returns when the next state may take its place.
    double begin(double shownAt, int milliseconds);

    // Whether the state begun last lasts long enough for a rest to be seen after its first
    // refresh, and when that rest takes over.
    bool restFits() const;
    double restAt() const { return shown_ + refresh_; }
    // The rest reached the screen at `shownAt`; returns when the next state may take its place.
    double rest(double shownAt);

    double deadline() const { return deadline_; }
    double refreshMs() const { return refresh_; }
    // Milliseconds from the first state to the planned end of the last one.
    double plannedMs() const { return planned_; }
    // When the first state reached the screen.
    std::optional<double> startedAt() const { return origin_; }
    // How much later than its planned time the latest state reached the screen, at most.
    double longestLatenessMs() const { return longestLateness_; }

private:
    double refresh_;
    std::optional<double> origin_;
    double planned_ = 0;
    double shown_ = 0;
    double deadline_ = 0;
    double longestLateness_ = 0;
};

} // namespace mirelta

#pragma once
// The verdicts of a monitor's frames gathered second by second (the seconds of the recording,
// from its first frame) and summed up for the whole recording.

#include "safety/flash_monitor.h"

#include <optional>
#include <vector>

namespace mirelta {

enum class SecondVerdict {
    Pass,
    Warning,         // 4 to 6 transitions within a second
    Fail,            // a flash too many within a second
    ExtendedFailure, // warnings over too much of five seconds, and no flash too many
};

struct SecondFigures {
    long second = 0;
    int frames = 0;
    int transitions = 0;    // general transitions in this second
    int redTransitions = 0; // red transitions in this second
    // The most flashes in any one second that ends in this one (two transitions a flash).
    int mostFlashes = 0;
    int mostRedFlashes = 0;
    double flashingArea = 0; // the largest share of a field in one general transition, 0 ... 1
    std::optional<double> stripedArea; // share of the screen under regular stripes, when measured
    bool tooMany = false;
    bool warning = false;
    bool extendedFailure = false;

    SecondVerdict verdict() const;
};

struct FlashSummary {
    long seconds = 0;
    long failingSeconds = 0;  // seconds with a flash too many
    long extendedSeconds = 0; // seconds in an extended failure
    long warningSeconds = 0;  // seconds with a warning and no failure
    int mostFlashes = 0;      // in any one second
    int mostRedFlashes = 0;
    long transitions = 0;
    long redTransitions = 0;
    long redFlashes = 0; // red transitions of the whole recording, two a flash
    double mostStripedArea = 0;

    bool passes() const { return failingSeconds == 0 && extendedSeconds == 0; }
};

class FlashReport {
public:
    explicit FlashReport(double framesPerSecond);

    // The verdict of the next frame: frames come in order, one a refresh.
    void add(const FrameVerdict& verdict);
    // The share of the screen under regular stripes at `frame`; a second keeps its largest.
    void addStripes(long frame, double share);

    const std::vector<SecondFigures>& seconds() const { return seconds_; }
    FlashSummary summary() const;

private:
    SecondFigures& secondOf(long frame);

    double framesPerSecond_;
    std::vector<SecondFigures> seconds_;
};

} // namespace mirelta

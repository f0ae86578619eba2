#include "safety/flash_report.h"

#include <algorithm>
#include <cmath>

namespace mirelta {

SecondVerdict SecondFigures::verdict() const {
    if (tooMany) {
        return SecondVerdict::Fail;
    }
    if (extendedFailure) {
        return SecondVerdict::ExtendedFailure;
    }
    return warning ? SecondVerdict::Warning : SecondVerdict::Pass;
}

FlashReport::FlashReport(double framesPerSecond) : framesPerSecond_(framesPerSecond) {}

SecondFigures& FlashReport::secondOf(long frame) {
    // A frame belongs to the second its start lies in; the slack keeps frame 60 of 60 per second
    // in the second second whatever the rate's rounding.
    const auto second = static_cast<long>(std::floor(double(frame) / framesPerSecond_ + 1e-9));
    while (static_cast<long>(seconds_.size()) <= second) {
        SecondFigures next;
        next.second = static_cast<long>(seconds_.size());
        seconds_.push_back(next);
    }
    return seconds_[static_cast<std::size_t>(second)];
}

void FlashReport::add(const FrameVerdict& verdict) {
    SecondFigures& second = secondOf(verdict.frame);
    ++second.frames;
    second.transitions += verdict.transition ? 1 : 0;
    second.redTransitions += verdict.redTransition ? 1 : 0;
    second.mostFlashes = std::max(second.mostFlashes, verdict.transitionsInLastSecond / 2);
    second.mostRedFlashes = std::max(second.mostRedFlashes, verdict.redTransitionsInLastSecond / 2);
    if (verdict.transition) {
        second.flashingArea = std::max(second.flashingArea, verdict.flashingArea);
    }
    second.tooMany = second.tooMany || verdict.tooMany;
    second.warning = second.warning || verdict.warning;
    second.extendedFailure = second.extendedFailure || verdict.extendedFailure;
}

void FlashReport::addStripes(long frame, double share) {
    SecondFigures& second = secondOf(frame);
    second.stripedArea = std::max(second.stripedArea.value_or(0.0), share);
}

FlashSummary FlashReport::summary() const {
    FlashSummary summary;
    summary.seconds = static_cast<long>(seconds_.size());
    for (const SecondFigures& second : seconds_) {
        switch (second.verdict()) {
        case SecondVerdict::Fail:
            ++summary.failingSeconds;
            break;
        case SecondVerdict::ExtendedFailure:
            ++summary.extendedSeconds;
            break;
        case SecondVerdict::Warning:
            ++summary.warningSeconds;
            break;
        case SecondVerdict::Pass:
            break;
        }
        summary.mostFlashes = std::max(summary.mostFlashes, second.mostFlashes);
        summary.mostRedFlashes = std::max(summary.mostRedFlashes, second.mostRedFlashes);
        summary.transitions += second.transitions;
        summary.redTransitions += second.redTransitions;
        summary.mostStripedArea = std::max(summary.mostStripedArea, second.stripedArea.value_or(0));
    }
    summary.redFlashes = summary.redTransitions / 2;
    return summary;
}

} // namespace mirelta

#include "gui/session/presentation_record.h"

#include <algorithm>
#include <cmath>

namespace mirelta {

const char* shownName(Shown what) {
    switch (what) {
    case Shown::Preparation:
        return "prep";
    case Shown::Letter:
        return "letter";
    case Shown::Rest:
        return "rest";
    case Shown::Blank:
        return "blank";
    case Shown::Photo:
        return "photo";
    case Shown::WordRow:
        return "wordrow";
    case Shown::Phrase:
        return "phrase";
    case Shown::Picture:
        return "picture";
    case Shown::Cell:
        return "cell";
    }
    return "?";
}

void PresentationRecord::answered(const std::vector<PresentationFeedback>& feedback) {
    for (const PresentationFeedback& answer : feedback) {
        // Numbers are given in order, so the state is found by its place.
        const auto place = static_cast<std::size_t>(answer.frame - 1);
        if (answer.frame < 1 || place >= states_.size() || states_[place].number != answer.frame) {
            continue;
        }
        states_[place].feedback = answer;
        if (!answer.presented || answer.sequence == 0) {
            continue;
        }
        // States that went up on the same refresh as this one were replaced before the display
        // scanned them out: an X server that fell behind copies all it owes in one pass.
        for (std::size_t earlier = place; earlier-- > 0;) {
            std::optional<PresentationFeedback>& before = states_[earlier].feedback;
            if (!before || !before->presented || before->sequence != answer.sequence) {
                break;
            }
            before->presented = false;
        }
    }
}

PresentationFigures PresentationRecord::figures(double cycleMs, long endRefresh, long missed,
                                                FiguresSource source) const {
    PresentationFigures figures;
    figures.source = source;
    figures.refreshesMissed = missed;
    figures.statesPlanned = static_cast<long>(states_.size());
    if (states_.empty()) {
        return figures;
    }
    const bool byDisplay = source != FiguresSource::ProgramClock;
    // The index of the next state the display showed after state i, if any; a rest belongs to
    // the state before it, which lasts on through it.
    std::vector<std::optional<std::size_t>> nextShown(states_.size());
    std::optional<std::size_t> later;
    for (std::size_t i = states_.size(); i-- > 0;) {
        nextShown[i] = later;
        const bool shown = !byDisplay || (states_[i].feedback && states_[i].feedback->presented);
        if (shown && states_[i].what != Shown::Rest) {
            later = i;
        }
    }
    // The display's own cycle over the session, from the first and last states it showed and
    // the refreshes between them: lateness is measured against the display, not against the
    // program's estimate of it.
    double cycle = cycleMs;
    if (byDisplay && later) {
        std::optional<std::size_t> lastShown;
        for (std::size_t i = states_.size(); i-- > 0 && !lastShown;) {
            if (states_[i].feedback && states_[i].feedback->presented) {
                lastShown = i;
            }
        }
        const long refreshes = states_[*lastShown].refresh - states_[*later].refresh;
        if (refreshes > 0) {
            cycle = (states_[*lastShown].feedback->presentedMs -
                     states_[*later].feedback->presentedMs) /
                    static_cast<double>(refreshes);
        }
    }
    std::optional<double> firstPresented;
    long plannedStart = 0; // on-time refresh of the state, from the first
    long parentStart = 0;  // the state a rest belongs to
    for (std::size_t i = 0; i < states_.size(); ++i) {
        const CommittedState& state = states_[i];
        KindFigures& kind = figures.kinds[state.what];
        ++kind.states;
        kind.plannedRefreshes += state.plannedRefreshes;
        const long onTime = state.what == Shown::Rest ? parentStart + 1 : plannedStart;
        bool shown = true;
        if (byDisplay) {
            if (!state.feedback) {
                ++figures.statesUnanswered;
                shown = false;
            } else if (!state.feedback->presented) {
                ++figures.statesDiscarded;
                shown = false;
            }
        }
        if (shown) {
            ++figures.statesPresented;
            long refreshes = 0;
            double lateness = 0;
            if (byDisplay) {
                const double at = state.feedback->presentedMs;
                if (!firstPresented) {
                    firstPresented = at;
                }
                lateness = at - (*firstPresented + static_cast<double>(onTime) * cycle);
                refreshes =
                    nextShown[i]
                        ? std::lround((states_[*nextShown[i]].feedback->presentedMs - at) / cycle)
                        : endRefresh - state.refresh;
            } else {
                lateness =
                    static_cast<double>(state.refresh - states_.front().refresh - onTime) * cycleMs;
                refreshes =
                    (nextShown[i] ? states_[*nextShown[i]].refresh : endRefresh) - state.refresh;
            }
            if (state.what == Shown::Rest) {
                refreshes = 0;
            }
            kind.presentedRefreshes += refreshes;
            figures.refreshesPresented += refreshes;
            figures.worstLatenessMs = std::max(figures.worstLatenessMs, lateness);
        }
        if (state.what != Shown::Rest) {
            parentStart = plannedStart;
            plannedStart += state.plannedRefreshes;
        }
    }
    figures.refreshesPlanned = plannedStart;
    return figures;
}

} // namespace mirelta

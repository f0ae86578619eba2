#pragma once
// What became of every state a session put on the display: the refresh the program committed it
// on, how many refreshes it was planned to stay, and what the compositor said of it (when it went
// on the screen, or that it was discarded unseen). From these come the figures a session reports,
// as a stimulus-presentation laboratory keeps them: states planned against states presented, each
// kind's planned against presented refreshes, refreshes missed, and the worst lateness. The
// compositor's word is the truth where it is given; otherwise the program's own count of
// refreshes stands, and the figures say which.

#include "display/screen.h"
#include "platform/presentation/presentation_feedback.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mirelta {

struct CommittedState {
    long number = 0; // 1, 2, ... in the order they were shown
    Shown what = Shown::Letter;
    long plannedRefreshes = 0; // 0 for a rest: it stays the rest of its state's time
    long refresh = 0;          // the display refresh it was committed on
    double committedMs = 0;    // steady clock
    std::optional<PresentationFeedback> feedback;
};

struct KindFigures {
    long states = 0;
    long plannedRefreshes = 0;
    long presentedRefreshes = 0;
};

enum class FiguresSource {
    Compositor,    // a Wayland compositor's presentation feedback
    DisplayServer, // an X server's Present completions
    ProgramClock,  // nobody said: the program's own count
};

struct PresentationFigures {
    FiguresSource source = FiguresSource::ProgramClock;
    long statesPlanned = 0;   // states the session committed to the display
    long statesPresented = 0; // of those, the ones the display showed
    long statesDiscarded = 0; // replaced before they were ever on the screen
    long statesUnanswered = 0;
    long refreshesPlanned = 0;
    long refreshesPresented = 0;
    long refreshesMissed = 0; // refreshes that passed without the program answering them
    double worstLatenessMs = 0;
    std::map<Shown, KindFigures> kinds;

    long statesLost() const { return statesDiscarded + statesUnanswered; }
};

class PresentationRecord {
public:
    void clear() { states_.clear(); }
    void committed(const CommittedState& state) { states_.push_back(state); }
    // Matches the display's answers to the states they were asked for.
    void answered(const std::vector<PresentationFeedback>& feedback);

    // `endRefresh`: the refresh on which the last state's time was up; `missed`: refreshes the
    // display delivered that the program did not answer in time.
    PresentationFigures figures(double cycleMs, long endRefresh, long missed,
                                FiguresSource source) const;
    const std::vector<CommittedState>& states() const { return states_; }

private:
    std::vector<CommittedState> states_;
};

const char* shownName(Shown what);

} // namespace mirelta

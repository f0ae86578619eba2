// What a session reports of its states: the compositor's word where it is given (presented,
// discarded, never answered), the program's own count of refreshes where it is not, each kind's
// planned against presented refreshes, rests counted with the state they belong to, lateness
// against the display's own cycle, and the display's cycle measured from its refreshes.

#include "gui/session/display_frames.h"
#include "gui/session/presentation_record.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {

constexpr double kCycle = 25.0;

// States committed one after the other on the refreshes given, each planned for `planned`.
PresentationRecord committedOn(const std::vector<std::pair<Shown, long>>& plan) {
    PresentationRecord record;
    long refresh = 0;
    long number = 0;
    for (const auto& [what, planned] : plan) {
        record.committed({.number = ++number,
                          .what = what,
                          .plannedRefreshes = planned,
                          .refresh = refresh,
                          .committedMs = static_cast<double>(refresh) * kCycle});
        refresh += planned;
    }
    return record;
}

PresentationFeedback presentedAt(long frame, double ms) {
    return {.frame = frame, .presented = true, .presentedMs = ms, .refreshMs = kCycle};
}

} // namespace

TEST(PresentationRecord, TheCompositorsAnswersDecideWhatWasShown) {
    // The second letter was replaced unseen; the phrase went up a refresh late; the last letter
    // was never answered.
    PresentationRecord record;
    record.committed({.number = 1, .what = Shown::Letter, .plannedRefreshes = 1, .refresh = 0});
    record.committed({.number = 2, .what = Shown::Letter, .plannedRefreshes = 2, .refresh = 1});
    record.committed({.number = 3, .what = Shown::Phrase, .plannedRefreshes = 3, .refresh = 4});
    record.committed({.number = 4, .what = Shown::Letter, .plannedRefreshes = 1, .refresh = 6});
    PresentationFeedback discarded{.frame = 2};
    record.answered({presentedAt(1, 1000), discarded, presentedAt(3, 1000 + 4 * kCycle)});
    const PresentationFigures figures = record.figures(kCycle, 7, 0, FiguresSource::Compositor);
    EXPECT_EQ(figures.source, FiguresSource::Compositor);
    EXPECT_EQ(figures.statesPlanned, 4);
    EXPECT_EQ(figures.statesPresented, 2);
    EXPECT_EQ(figures.statesDiscarded, 1);
    EXPECT_EQ(figures.statesUnanswered, 1);
    EXPECT_EQ(figures.statesLost(), 2);
    EXPECT_EQ(figures.refreshesPlanned, 7);
    // The first letter stayed until the phrase: four refreshes, planned one.
    EXPECT_EQ(figures.kinds.at(Shown::Letter).plannedRefreshes, 4);
    EXPECT_EQ(figures.kinds.at(Shown::Letter).presentedRefreshes, 4);
    EXPECT_EQ(figures.kinds.at(Shown::Phrase).states, 1);
    EXPECT_DOUBLE_EQ(figures.worstLatenessMs, 1 * kCycle);
}

TEST(PresentationRecord, WithoutAnswersTheProgramsRefreshesStand) {
    PresentationRecord record = committedOn({{Shown::Letter, 2}, {Shown::Blank, 1}});
    const PresentationFigures figures = record.figures(kCycle, 3, 2, FiguresSource::ProgramClock);
    EXPECT_EQ(figures.source, FiguresSource::ProgramClock);
    EXPECT_EQ(figures.statesPresented, 2);
    EXPECT_EQ(figures.statesLost(), 0);
    EXPECT_EQ(figures.refreshesMissed, 2);
    EXPECT_EQ(figures.refreshesPresented, 3);
    EXPECT_EQ(figures.kinds.at(Shown::Letter).presentedRefreshes, 2);
    EXPECT_EQ(figures.kinds.at(Shown::Blank).presentedRefreshes, 1);
    EXPECT_DOUBLE_EQ(figures.worstLatenessMs, 0);
}

TEST(PresentationRecord, ARestBelongsToTheStateItFollows) {
    PresentationRecord record;
    record.committed({.number = 1, .what = Shown::Letter, .plannedRefreshes = 2, .refresh = 0});
    record.committed({.number = 2, .what = Shown::Rest, .plannedRefreshes = 0, .refresh = 1});
    record.committed({.number = 3, .what = Shown::Letter, .plannedRefreshes = 2, .refresh = 2});
    record.answered({presentedAt(1, 0), presentedAt(2, kCycle), presentedAt(3, 2 * kCycle)});
    const PresentationFigures figures = record.figures(kCycle, 4, 0, FiguresSource::Compositor);
    EXPECT_EQ(figures.kinds.at(Shown::Letter).presentedRefreshes, 4);
    EXPECT_EQ(figures.kinds.at(Shown::Rest).presentedRefreshes, 0);
    EXPECT_EQ(figures.kinds.at(Shown::Rest).states, 1);
    EXPECT_EQ(figures.refreshesPlanned, 4);
    EXPECT_DOUBLE_EQ(figures.worstLatenessMs, 0);
}

TEST(PresentationRecord, LatenessIsMeasuredAgainstTheDisplaysOwnCycle) {
    // The program measured 25 ms, the display really runs at 25.5: without a held-back state
    // nothing is late, however long the session.
    PresentationRecord record;
    std::vector<PresentationFeedback> answers;
    for (long n = 1; n <= 1000; ++n) {
        record.committed({.number = n, .what = Shown::Letter, .plannedRefreshes = 1, .refresh = n});
        answers.push_back(presentedAt(n, static_cast<double>(n) * 25.5));
    }
    record.answered(answers);
    EXPECT_LT(record.figures(kCycle, 1001, 0, FiguresSource::Compositor).worstLatenessMs, 1e-6);
}

TEST(PresentationRecord, StatesCopiedOnTheSameRefreshAsALaterOneWereNeverSeen) {
    // An X server that fell behind copied states 2 and 3 in one pass with 4, on refresh 12; an
    // answer with no refresh count says nothing of it.
    PresentationRecord record = committedOn({{Shown::Letter, 1},
                                             {Shown::Letter, 1},
                                             {Shown::Letter, 1},
                                             {Shown::Phrase, 1},
                                             {Shown::Letter, 1},
                                             {Shown::Letter, 1}});
    auto onRefresh = [](long frame, std::uint64_t sequence) {
        PresentationFeedback answer = presentedAt(frame, static_cast<double>(sequence) * kCycle);
        answer.sequence = sequence;
        return answer;
    };
    PresentationFeedback uncounted = presentedAt(6, 14 * kCycle);
    record.answered({onRefresh(1, 10), onRefresh(2, 12), onRefresh(3, 12)});
    record.answered({onRefresh(4, 12), onRefresh(5, 13), uncounted});
    const PresentationFigures figures = record.figures(kCycle, 6, 0, FiguresSource::DisplayServer);
    EXPECT_EQ(figures.source, FiguresSource::DisplayServer);
    EXPECT_EQ(figures.statesDiscarded, 2);
    EXPECT_EQ(figures.statesPresented, 4);
    EXPECT_FALSE(record.states()[1].feedback->presented);
    EXPECT_FALSE(record.states()[2].feedback->presented);
    EXPECT_TRUE(record.states()[3].feedback->presented);
    EXPECT_TRUE(record.states()[4].feedback->presented);
    EXPECT_EQ(figures.kinds.at(Shown::Phrase).presentedRefreshes, 1);
}

TEST(DisplayCycle, IsMeasuredFromTheRefreshesThatCame) {
    // Callbacks 25.7 ms apart, each a little late or early, one missed.
    std::vector<double> times;
    double at = 1000;
    for (int i = 0; i < 31; ++i) {
        at += 25.7 * (i == 15 ? 2 : 1);
        times.push_back(at + (i % 3 == 0 ? 3.0 : i % 3 == 1 ? -2.0 : 0.5));
    }
    EXPECT_NEAR(DisplayFrames::measureCycle(times), 25.7, 0.2);
    EXPECT_EQ(DisplayFrames::measureCycle({1000.0}), 0);
    // An update delivered at once, before any callback, is no refresh of the display.
    times.insert(times.begin(), times.front() - 2.0);
    EXPECT_NEAR(DisplayFrames::measureCycle(times), 25.7, 0.2);
}

TEST(DisplayCycle, ARefreshMoreThanHalfACycleLateCountsTheOnesItSkipped) {
    EXPECT_EQ(DisplayFrames::refreshesIn(16.7, 16.7), 1);
    EXPECT_EQ(DisplayFrames::refreshesIn(24.0, 16.7), 1);
    EXPECT_EQ(DisplayFrames::refreshesIn(26.0, 16.7), 2);
    EXPECT_EQ(DisplayFrames::refreshesIn(57.0, 16.7), 3);
    EXPECT_EQ(DisplayFrames::refreshesIn(3.0, 16.7), 1);
}

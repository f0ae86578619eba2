// How long the states of a session last on the screen: letter steps by the speed, the same
// session length on any refresh rate, the matrix block flashing, and a timeline that holds when
// frames reach the screen late.

#include "display/panel_scene.h"
#include "gui/session/paced_session_driver.h"
#include "gui/session/session_pacer.h"
#include "gui/session/session_timeline.h"
#include "tests/support/window_fixture.h"

#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>

using namespace mirelta;
using namespace mirelta::test;

namespace {

struct ShownState {
    Shown what;
    double at;
    bool blockVisible; // the centre cell of the matrix block
};

// A display whose refreshes only count: each frame goes up on the refresh it is due, or a little
// later when the test says the machine is busy.
class RecordingSink final : public FrameSink {
public:
    explicit RecordingSink(double refreshMs) : refreshMs_(refreshMs) {}

    void compose(std::vector<Ring>& rings) override {
        rings.clear();
        blockVisible_ = scene != nullptr && scene->gridCell(35).isVisible();
    }
    long show(Shown what, long notBefore, long /*plannedRefreshes*/) override {
        refresh_ = std::max(notBefore, refresh_ + 1) + lateRefreshes();
        states.push_back({what, static_cast<double>(refresh_) * refreshMs_, blockVisible_});
        return refresh_;
    }
    void waitFor(long refresh) override { refresh_ = std::max(refresh_, refresh); }

    double nowMs() const { return static_cast<double>(refresh_) * refreshMs_; }

    // How many refreshes late a frame goes up; none on a quiet machine.
    std::function<long()> lateRefreshes = [] { return 0L; };
    std::vector<ShownState> states;
    const PanelScene* scene = nullptr;

private:
    double refreshMs_;
    long refresh_ = -1;
    bool blockVisible_ = false;
};

// Plays the window's sessions through a pacer on the counted refreshes, at a given rate.
class VirtualScreenDriver final : public SessionDriver {
public:
    VirtualScreenDriver(double refreshHz, RecordingSink& sink)
        : refreshMs_(1000.0 / refreshHz), sink_(sink) {}

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override {
        SessionPacer pacer(sink_, refreshMs_);
        const std::size_t first = sink_.states.size();
        const SessionOutcome outcome = engine.run(settings, window, pacer, pacer, nullptr);
        pacer.finish();
        planned = pacer.timeline().plannedMs();
        length = sink_.states.size() > first ? sink_.nowMs() - sink_.states[first].at : 0;
        ended(outcome);
    }
    bool isRunning() const override { return false; }
    void cancel() override {}

    double planned = 0;
    double length = 0;

private:
    double refreshMs_;
    RecordingSink& sink_;
};

struct PlayedSession {
    double planned = 0;
    double length = 0;
    std::vector<ShownState> states;
};

class SessionTiming : public WindowTest {
protected:
    // Plays the settings' suggestion to its end on a screen of `refreshHz`.
    PlayedSession play(double refreshHz, const std::function<long()>& lateness = {}) {
        RecordingSink sink(1000.0 / refreshHz);
        if (lateness) {
            sink.lateRefreshes = lateness;
        }
        VirtualScreenDriver virtualScreen(refreshHz, sink);
        mirelta::MainWindow played(ProgramFolder(folderPath()),
                                   WindowServices{.dialogs = dialogs,
                                                  .sound = sound,
                                                  .driver = &virtualScreen,
                                                  .saveSettings = false,
                                                  .shell = &shell});
        sink.scene = &played.panelScene();
        played.showAtStart();
        played.findChild<QPushButton*>(QStringLiteral("start"))->click();
        EXPECT_FALSE(played.isVisible()); // the session played to its end
        return {virtualScreen.planned, virtualScreen.length, std::move(sink.states)};
    }

    // The neuroses suggestion, once through.
    void neuroses(const QByteArray& extra = {}) {
        writeSettings("[TMirelta]\r\nRgnast_ItemIndex=4\r\nEpov_Text=1\r\n" + extra);
    }
};

// How long each state of `kind` stayed, from its frame to the next one.
std::vector<double> durations(const std::vector<ShownState>& states, Shown kind) {
    std::vector<double> found;
    for (std::size_t i = 0; i + 1 < states.size(); ++i) {
        if (states[i].what == kind) {
            found.push_back(states[i + 1].at - states[i].at);
        }
    }
    return found;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

TEST_F(SessionTiming, ASessionLastsTheSameOnEveryRefreshRate) {
    neuroses("Cbuk_Checked=True\r\n");
    const PlayedSession at60 = play(60);
    ASSERT_GT(at60.planned, 10000.0);
    for (const double hz : {50.0, 59.94, 60.0, 75.0, 120.0, 144.0, 240.0}) {
        const PlayedSession session = play(hz);
        // States shorter than a refresh are kept one, so the plan differs by less than that.
        EXPECT_NEAR(session.planned / at60.planned, 1.0, 0.02) << hz << " Hz";
        EXPECT_NEAR(session.length / session.planned, 1.0, 0.02) << hz << " Hz";
        EXPECT_NEAR(session.length / at60.length, 1.0, 0.02) << hz << " Hz";
        EXPECT_EQ(session.states.size(), at60.states.size()) << hz << " Hz";
    }
}

TEST_F(SessionTiming, TheSpeedSetsHowLongALetterStays) {
    const std::map<int, double> stepMs = {{0, 1000.0 / 60}, {1, 2000.0 / 60}, {2, 3000.0 / 60}};
    double slower = 0;
    for (const auto& [speed, expected] : stepMs) {
        neuroses("Cbuk_Checked=True\r\nRskor_ItemIndex=" + QByteArray::number(speed) + "\r\n");
        const PlayedSession session = play(60);
        EXPECT_NEAR(median(durations(session.states, Shown::Letter)), expected, 0.01) << speed;
        EXPECT_NEAR(median(durations(session.states, Shown::Blank)), expected, 0.01) << speed;
        EXPECT_GT(session.length, slower) << speed;
        slower = session.length;
    }
}

TEST_F(SessionTiming, TheMatrixBlockIsSeenForTheFirstRefreshOfItsStepOnly) {
    const double refresh = 1000.0 / 60;
    // "Средняя": two refreshes a step, the block in the first, the background alone in the second.
    neuroses("Cmatr_Checked=True\r\nRskor_ItemIndex=1\r\n");
    PlayedSession session = play(60);
    // (33 ms is a little under two refreshes: now and then a step keeps one to stay on time.)
    long letters = 0;
    long rests = 0;
    for (std::size_t i = 0; i + 2 < session.states.size(); ++i) {
        const ShownState& state = session.states[i];
        if (state.what != Shown::Letter) {
            continue;
        }
        ++letters;
        EXPECT_TRUE(state.blockVisible);
        const ShownState& next = session.states[i + 1];
        EXPECT_NEAR(next.at - state.at, refresh, 1e-6) << i;
        if (next.what == Shown::Rest) {
            ++rests;
            EXPECT_FALSE(next.blockVisible);
            EXPECT_NEAR(session.states[i + 2].at - next.at, refresh, 1e-6) << i;
        }
    }
    EXPECT_GT(letters, 500);
    EXPECT_GT(rests, letters * 9 / 10);

    // "Высокая" at 60 Hz: a step is one refresh, so the block is all that is seen, every refresh
    // (17 ms is a little over one: now and then a step takes two, the second without the block).
    neuroses("Cmatr_Checked=True\r\nRskor_ItemIndex=0\r\n");
    session = play(60);
    const std::vector<double> steps = durations(session.states, Shown::Letter);
    const auto single = std::count_if(steps.begin(), steps.end(),
                                      [&](double ms) { return std::abs(ms - refresh) < 1e-6; });
    const auto restCount = std::count_if(session.states.begin(), session.states.end(),
                                         [](const ShownState& s) { return s.what == Shown::Rest; });
    EXPECT_EQ(single, static_cast<long>(steps.size())); // the block: one refresh, always
    EXPECT_LT(restCount, static_cast<long>(steps.size()) / 10);
}

TEST_F(SessionTiming, ASlowDisplayGrowsTheSessionOnlyByTheRefreshesItForces) {
    neuroses("Cbuk_Checked=True\r\n");
    // A compositor that repaints every 25.7 ms although its output says 60 Hz: letter steps of
    // 17 ms each still get a refresh of their own, and the plan says so.
    const PlayedSession fast = play(60, {});
    const PlayedSession slow = play(1000.0 / 25.7, {});
    EXPECT_EQ(slow.states.size(), fast.states.size());
    EXPECT_GT(slow.planned, fast.planned);
    EXPECT_NEAR(slow.length / slow.planned, 1.0, 1e-9);
    for (std::size_t i = 0; i + 1 < slow.states.size(); ++i) {
        ASSERT_GE(slow.states[i + 1].at - slow.states[i].at, 25.7 - 1e-6) << i;
    }
}

TEST_F(SessionTiming, LatenessDoesNotAddUpAndNoStateIsSkipped) {
    neuroses("Cbuk_Checked=True\r\n");
    const PlayedSession quiet = play(60);
    // A busy machine: now and then a frame goes up a refresh or two late.
    unsigned seed = 12345;
    const auto late = [&seed] {
        seed = seed * 1103515245u + 12345u;
        const unsigned roll = (seed >> 16) % 10;
        return roll == 0 ? 2L : roll < 3 ? 1L : 0L;
    };
    const PlayedSession loaded = play(60, late);
    EXPECT_NEAR(loaded.length / quiet.length, 1.0, 0.03);
    ASSERT_EQ(loaded.states.size(), quiet.states.size());
    for (std::size_t i = 0; i < quiet.states.size(); ++i) {
        ASSERT_EQ(loaded.states[i].what, quiet.states[i].what) << i;
    }
    // However late, every state stayed on the screen at least one refresh.
    for (std::size_t i = 0; i + 1 < loaded.states.size(); ++i) {
        ASSERT_GE(loaded.states[i + 1].at - loaded.states[i].at, 1000.0 / 60 - 1e-6) << i;
    }
}

TEST(SessionTimelineRules, StatesEndAtTheRefreshNearestTheirPlannedEnd) {
    // 33 ms states on a 50 Hz display: one or two refreshes each, never drifting from the plan.
    SessionTimeline timeline(20.0);
    long shown = 0;
    for (int state = 1; state <= 30; ++state) {
        const long next = timeline.begin(shown, 33);
        EXPECT_GE(next - shown, 1);
        EXPECT_EQ(next, std::lround(33.0 * state / 20.0)) << state;
        shown = next;
    }
    EXPECT_DOUBLE_EQ(timeline.plannedMs(), 1000.0);
}

TEST(SessionTimelineRules, ALateStateIsShortenedButStaysOneRefresh) {
    SessionTimeline timeline(10.0);
    EXPECT_EQ(timeline.begin(0, 50), 5);
    // Reached the screen two refreshes late: it ends when it was planned to end.
    EXPECT_EQ(timeline.begin(7, 50), 10);
    EXPECT_DOUBLE_EQ(timeline.longestLatenessMs(), 20.0);
    // So late that its planned end has passed: it still stays one refresh.
    EXPECT_EQ(timeline.begin(15, 50), 16);
    EXPECT_EQ(timeline.begin(16, 50), 20);
    // The plan is the on-time one: late states do not change it.
    EXPECT_DOUBLE_EQ(timeline.plannedMs(), 200.0);
}

TEST(SessionTimelineRules, StatesShorterThanARefreshAreKeptOneAndThePlanSaysSo) {
    // Five 10 ms states on a 25 ms display: each is seen for one refresh, and the session grows
    // from 50 ms to five refreshes, no more.
    SessionTimeline timeline(25.0);
    long shown = 0;
    for (int state = 0; state < 5; ++state) {
        shown = timeline.begin(shown, 10);
        EXPECT_EQ(timeline.plannedRefreshesOfLast(), 1) << state;
    }
    EXPECT_EQ(shown, 5);
    EXPECT_EQ(timeline.plannedRefreshes(), 5);
    // A long state then catches up with the running sum: 50 + 100 ms is six refreshes.
    timeline.begin(shown, 100);
    EXPECT_EQ(timeline.plannedRefreshesOfLast(), 1);
    EXPECT_EQ(timeline.deadline(), 6);
}

TEST(SessionTimelineRules, ARestIsSeenOnlyWhenItsStateHasASecondRefresh) {
    SessionTimeline timeline(1000.0 / 60);
    timeline.begin(0, 17); // one refresh
    EXPECT_FALSE(timeline.restFits());
    timeline.begin(timeline.deadline(), 33); // two refreshes
    ASSERT_TRUE(timeline.restFits());
    const long stepEnd = timeline.deadline();
    EXPECT_EQ(timeline.rest(timeline.restAt()), stepEnd);
}

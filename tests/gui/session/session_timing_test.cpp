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
#include <atomic>
#include <cmath>
#include <map>

using namespace mirelta;
using namespace mirelta::test;

namespace {

// Time that only moves when a wait or the test moves it.
class VirtualClock final : public PacingClock {
public:
    double nowMs() const override { return now_; }
    void waitUntil(double milliseconds) override {
        now_ = std::max(now_.load(), milliseconds) + wakeLateness();
    }
    void advance(double milliseconds) { now_ = now_ + milliseconds; }

    // How late a sleeping session wakes; nothing on a quiet machine.
    std::function<double()> wakeLateness = [] { return 0.0; };

private:
    std::atomic<double> now_ = 1000.0;
};

struct ShownState {
    Shown what;
    double at;
    bool blockVisible; // the centre cell of the matrix block
};

// A screen that records what reached it and when; a frame reaches it `paintDelay` after it was
// handed over.
class RecordingSink final : public FrameSink {
public:
    explicit RecordingSink(VirtualClock& clock) : clock_(clock) {}

    void compose(std::vector<Ring>& rings) override {
        rings.clear();
        blockVisible_ = scene != nullptr && scene->gridCell(35).isVisible();
    }
    double show(Shown what) override {
        clock_.advance(paintDelay());
        states.push_back({what, clock_.nowMs(), blockVisible_});
        return clock_.nowMs();
    }

    std::function<double()> paintDelay = [] { return 0.0; };
    std::vector<ShownState> states;
    const PanelScene* scene = nullptr;

private:
    VirtualClock& clock_;
    bool blockVisible_ = false;
};

// Plays the window's sessions through a pacer on the virtual clock, at a given refresh rate.
class VirtualScreenDriver final : public SessionDriver {
public:
    VirtualScreenDriver(double refreshHz, VirtualClock& clock, RecordingSink& sink)
        : refreshMs_(1000.0 / refreshHz), clock_(clock), sink_(sink) {}

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override {
        SessionPacer pacer(clock_, sink_, refreshMs_);
        const SessionOutcome outcome = engine.run(settings, window, pacer, pacer, nullptr);
        pacer.finish();
        planned = pacer.timeline().plannedMs();
        length = clock_.nowMs() - *pacer.timeline().startedAt();
        ended(outcome);
    }
    bool isRunning() const override { return false; }
    void cancel() override {}

    double planned = 0;
    double length = 0;

private:
    double refreshMs_;
    VirtualClock& clock_;
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
    PlayedSession play(double refreshHz, const std::function<double()>& lateness = {}) {
        VirtualClock clock;
        RecordingSink sink(clock);
        if (lateness) {
            clock.wakeLateness = lateness;
            sink.paintDelay = lateness;
        }
        VirtualScreenDriver virtualScreen(refreshHz, clock, sink);
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
    for (const double hz : {50.0, 60.0, 75.0, 120.0, 144.0, 240.0}) {
        const PlayedSession session = play(hz);
        EXPECT_DOUBLE_EQ(session.planned, at60.planned) << hz << " Hz";
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

TEST_F(SessionTiming, LatenessDoesNotAddUpAndNoStateIsSkipped) {
    neuroses("Cbuk_Checked=True\r\n");
    const PlayedSession quiet = play(60);
    // A busy machine: every wake-up and every paint comes up to 8 ms late.
    unsigned seed = 12345;
    const auto late = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) % 8000) / 1000.0;
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
    // 33 ms states on a 50 Hz screen: one or two refreshes each, never drifting from the plan.
    SessionTimeline timeline(20.0);
    double shown = 0;
    for (int state = 1; state <= 30; ++state) {
        const double next = timeline.begin(shown, 33);
        EXPECT_GE(next - shown, 20.0);
        EXPECT_NEAR(next, std::round(33.0 * state / 20.0) * 20.0, 1e-9) << state;
        shown = next;
    }
    EXPECT_DOUBLE_EQ(timeline.plannedMs(), 990.0);
}

TEST(SessionTimelineRules, ALateStateIsShortenedButStaysOneRefresh) {
    SessionTimeline timeline(10.0);
    EXPECT_DOUBLE_EQ(timeline.begin(0, 50), 50.0);
    // Reached the screen 25 ms late: it ends when it was planned to end.
    EXPECT_DOUBLE_EQ(timeline.begin(75, 50), 100.0);
    EXPECT_DOUBLE_EQ(timeline.longestLatenessMs(), 25.0);
    // So late that its planned end has passed: it still stays one refresh.
    EXPECT_DOUBLE_EQ(timeline.begin(148, 50), 158.0);
    EXPECT_DOUBLE_EQ(timeline.begin(158, 50), 200.0);
}

TEST(SessionTimelineRules, ARestIsSeenOnlyWhenItsStateHasASecondRefresh) {
    SessionTimeline timeline(1000.0 / 60);
    timeline.begin(0, 17); // one refresh
    EXPECT_FALSE(timeline.restFits());
    timeline.begin(timeline.deadline(), 33); // two refreshes
    ASSERT_TRUE(timeline.restFits());
    const double stepEnd = timeline.deadline();
    EXPECT_DOUBLE_EQ(timeline.rest(timeline.restAt()), stepEnd);
}

// The session engine driven directly, without a window: what it does with the flag that says a
// thesis is open, and how many theses a pass plays.

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "display/screen.h"
#include "engine/backgrounds.h"
#include "engine/random.h"
#include "engine/session_engine.h"
#include "engine/session_state.h"
#include "platform/sound/sound_player.h"
#include "text/cp1251.h"
#include "text/suggestion_parser.h"
#include "text/suggestion_tables.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace mirelta;

namespace {

class NoScreen : public Screen {
public:
    void present(Shown, int) override {}
};

class NoRings : public RingCanvas {
public:
    void drawRing(const QRect&, std::uint32_t) override {}
};

class NoSound : public SoundPlayer {
public:
    bool open(const QString&) override { return false; }
    void play() override {}
    void stop() override {}
    void close() override {}
    bool isOpen() const override { return false; }
    bool stopped() const override { return true; }
};

// Every event with the flag as it was when the event was written.
class FlagTrace : public SessionTrace {
public:
    explicit FlagTrace(const SessionState& state) : state_(state) {}
    void event(const std::string& line) override {
        lines.push_back(line);
        flags.push_back(state_.thesisOpen);
    }
    std::vector<std::string> lines;
    std::vector<int> flags;

private:
    const SessionState& state_;
};

// A men's suggestion of one one-sentence thesis for each colour, in order.
std::string suggestion(const std::vector<int>& colours) {
    std::string text = ">\n";
    for (std::size_t i = 0; i < colours.size(); ++i) {
        text += "@" + std::to_string(i + 1) + "#" + std::to_string(colours[i]) + "%$0&10@\nда\n";
    }
    return cp1251::normaliseLineBreaks(text + "<\n");
}

// The tick lines of a trace ("tick A 2 1": colour, thesis, sentence).
std::vector<std::string> ticksOf(const FlagTrace& trace) {
    std::vector<std::string> ticks;
    for (const std::string& line : trace.lines) {
        if (line.rfind("tick ", 0) == 0) {
            ticks.push_back(line);
        }
    }
    return ticks;
}

class Engine : public ::testing::Test {
protected:
    // Parses the suggestion and readies the state as the window does when it is shown.
    void choose(const std::vector<int>& colours) {
        const std::string text = suggestion(colours);
        const ParseOutcome parsed = parseSuggestion({.text = text}, letters, scenario);
        ASSERT_TRUE(parsed.completed) << parsed.message;
        state.cursor.thesis = 1;
        state.cursor.sentence = 1;
        state.cursor.glyphFrame = 1;
        engine.prepareFirstSentence();
        state.colours = kFrameColours;
    }
    FlagTrace play() {
        FlagTrace trace(state);
        SessionSettings settings;
        settings.passes = 1;
        NoScreen screen;
        NoRings rings;
        engine.run(settings, QSize(800, 600), screen, rings, &trace);
        return trace;
    }

    RecordTable letters = makeLettersTable();
    RecordTable scenario = makeScenarioTable();
    SessionState state;
    PanelScene scene;
    const GlyphStrips strips = GlyphStrips::builtIn();
    const Backgrounds backgrounds = Backgrounds::builtIn();
    NoSound sound;
    Random random;
    SessionEngine engine{{letters, scenario, state, scene, strips, backgrounds, sound, random, {}}};
};

TEST_F(Engine, TheFirstPreparationRunOpensTheThesisOnlyAtItsEnd) {
    choose({3, 3});
    ASSERT_EQ(state.thesisOpen, 0);
    const FlagTrace trace = play();
    std::size_t firstTick = 0;
    while (firstTick < trace.lines.size() && trace.lines[firstTick].rfind("tick ", 0) != 0) {
        ++firstTick;
    }
    ASSERT_LT(firstTick, trace.lines.size());
    // The preparation run, its timer included, still sees the thesis closed.
    EXPECT_EQ(trace.lines[firstTick - 1], "timer A");
    for (std::size_t i = 0; i < firstTick; ++i) {
        EXPECT_EQ(trace.flags[i], 0) << i << ": " << trace.lines[i];
    }
    EXPECT_EQ(trace.flags[firstTick], 1);
    EXPECT_EQ(state.thesisOpen, 1);
}

TEST_F(Engine, EachThesisLocatedInTheSessionStartsTheTimerOfItsOwnColour) {
    // Each colour differs from the one before it where it matters: were the timers left to the
    // preparation run, which still reads the thesis just played, every tick would lag one thesis.
    choose({2, 0, 2, 1, 3, 2});
    const FlagTrace trace = play();
    EXPECT_EQ(ticksOf(trace), (std::vector<std::string>{"tick G 1 1", "tick A 2 1", "tick G 3 1",
                                                        "tick A 4 1", "tick A 5 1", "tick G 6 1"}));
    // Locating a grey thesis starts the grey timer and puts the grey picture in; any other
    // colour starts the colour timer.
    const std::vector<int> colours = {2, 0, 2, 1, 3, 2};
    int located = 0;
    for (std::size_t i = 0; i + 1 < trace.lines.size(); ++i) {
        const std::string& line = trace.lines[i];
        if (line.rfind("locate ", 0) != 0) {
            continue;
        }
        const int thesis = std::stoi(line.substr(7));
        ++located;
        const bool grey = colours[static_cast<std::size_t>(thesis - 1)] == 2;
        EXPECT_EQ(trace.lines[i + 1], grey ? "timer G" : "timer A") << line;
        if (grey) {
            EXPECT_EQ(trace.lines[i + 2], "im 3") << line;
        }
    }
    EXPECT_EQ(located, 5); // theses 2 to 6; the last tick ends the session instead
    EXPECT_FALSE(engine.colourTimer());
    EXPECT_FALSE(engine.greyTimer());
}

// A pass ends after the last thesis of the suggestion the session plays, whatever count the state
// held before "Старт" (a suggestion chosen earlier had fewer theses).
TEST_F(Engine, APassPlaysEveryThesisOfTheParsedSuggestion) {
    choose({3, 3, 3});
    state.thesisCount = 1;
    const FlagTrace trace = play();
    EXPECT_EQ(ticksOf(trace), (std::vector<std::string>{"tick A 1 1", "tick A 2 1", "tick A 3 1"}));
    EXPECT_EQ(state.thesisCount, 3);
}

TEST_F(Engine, OutsideASessionAnOpenThesisChoosesTheTimerOfItsColour) {
    choose({2});
    EXPECT_FALSE(engine.greyTimer());
    EXPECT_TRUE(scene.background().picture.isNull());
    state.thesisOpen = 1;
    engine.prepareFirstSentence();
    EXPECT_TRUE(engine.greyTimer());
    EXPECT_FALSE(engine.colourTimer());
    EXPECT_EQ(scene.background().picture, backgrounds.picture(Backgrounds::kGrey));
}

} // namespace

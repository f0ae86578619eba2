// One tick of a session: one sentence played letter by letter, in colour (Akod) or in grey
// (Akodser), with its word rows, phrases, photo and scenario picture, and the move to the next
// sentence, thesis and pass. The grey tick differs from the colour tick only at the points
// marked so.

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "display/screen.h"
#include "engine/session_engine.h"
#include "text/cp1251.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <algorithm>

namespace mirelta {

namespace {
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr int kRed = 0;
constexpr int kGreen = 1;

std::string glyphName(const RecordTable& table, int row) {
    return table.isAssignedAt(row, tslovo::Nalf) ? std::to_string(table.numberAt(row, tslovo::Nalf))
                                                 : std::string("-");
}
} // namespace

class SessionEngine::Tick {
public:
    Tick(SessionEngine& engine, bool grey)
        : e_(engine), grey_(grey), settings_(*engine.settings_), state_(engine.world_.state),
          letters_(engine.world_.letters), scene_(engine.world_.scene), display_(*engine.display_) {
    }

    void run() {
        e_.trace(std::string(grey_ ? "tick G " : "tick A ") + std::to_string(state_.cursor.thesis) +
                 " " + std::to_string(state_.cursor.sentence));
        sceneColour_ = e_.scenarioColour();
        if (!grey_) {
            state_.colourIndex = 0;
        }
        phraseRepeats_ = settings_.phraseRepeats;
        drawShift(true);
        if (!settings_.matrix) {
            scene_.big().setVisible(true);
        }
        locateSentence();
        state_.cursor.line = letters_.number(tslovo::Nstrok);
        if (state_.stepCount >= 0) {
            for (int step = 0; step <= state_.stepCount; ++step) {
                letterStep();
            }
        }
        endOfTick();
    }

private:
    bool hidden() const { return settings_.view == SessionSettings::kHidden; }

    void locateSentence() {
        letters_.first();
        letters_.locate(
            {{tslovo::Nnast, state_.cursor.thesis}, {tslovo::Npred, state_.cursor.sentence}});
    }

    RingRule ringRule() const {
        if (grey_) {
            return RingRule::Grey;
        }
        return sceneColour_ == kRed     ? RingRule::Red
               : sceneColour_ == kGreen ? RingRule::Green
                                        : RingRule::All;
    }

    // New shift values; at the start of a tick the red and green scenes put their picture in.
    void drawShift(bool atStart) {
        Random& random = e_.world_.random;
        ShiftValues& shift = e_.shift_;
        e_.drawPlainShift();
        if (grey_) {
            e_.traceShift();
            return;
        }
        int redFactor = 1;
        int greenFactor = 1;
        if (sceneColour_ == kRed) {
            if (atStart) {
                e_.putBackground(Backgrounds::kRed);
            }
            shift.raiseG = random(-50);
            shift.raiseB = random(50);
            shift.lowerR = random(50);
            redFactor = 2;
        } else if (sceneColour_ == kGreen) {
            if (atStart) {
                e_.putBackground(Backgrounds::kGreen);
                shift.raiseR = random(-50);
                shift.raiseB = random(100);
            } else {
                shift.raiseB = random(100);
                shift.raiseR = random(-50);
            }
            shift.lowerG = random(50);
            greenFactor = 2;
        }
        if (settings_.brightness) {
            applyBrightness(redFactor, greenFactor);
        }
        e_.traceShift();
    }

    // Each rule once, on a 32-bit sum that wraps around like the original arithmetic.
    void applyBrightness(int redFactor, int greenFactor) {
        ShiftValues& s = e_.shift_;
        const int level = settings_.brightnessLevel;
        const auto sum = [&s] {
            return static_cast<std::int32_t>(std::uint32_t(s.raiseR) + std::uint32_t(s.raiseG) +
                                             std::uint32_t(s.raiseB));
        };
        const auto move = [&](int sign) {
            const auto add = [](std::int32_t& value, int delta) {
                value = static_cast<std::int32_t>(std::uint32_t(value) + std::uint32_t(delta));
            };
            add(s.raiseR, sign * 30 * redFactor);
            add(s.raiseG, sign * 30 * greenFactor);
            add(s.raiseB, sign * 30);
            add(s.lowerR, -sign * (30 / redFactor));
            add(s.lowerG, -sign * (30 / greenFactor));
            add(s.lowerB, -sign * 30);
        };
        if (level >= sum()) {
            move(+1);
        }
        if (sum() >= 750 - level / 2) {
            move(-1);
        }
    }

    void letterStep() {
        e_.restartStoppedSound();
        e_.frameSweepStep(ringRule());
        e_.shiftPass(grey_, phase_, kPanelSize, kPanelSize - 1);
        if (phase_ == 2) {
            drawShift(false);
            phase_ = 1;
        } else {
            phase_ = 2;
        }
        if (!hidden()) {
            if (grey_) {
                frameCycle_ = 4;
            } else if (sceneColour_ == kRed) {
                frameCycle_ = 2;
            } else if (sceneColour_ == kGreen) {
                frameCycle_ = 1;
            }
        }
        if (gapStep_) {
            blankStep();
        } else {
            showLetter();
        }
        if (!gapStep_) {
            prevNzn_ = letters_.number(tslovo::Nzn);
        }
        gapStep_ = false;
        letters_.next();
        const bool pastEnd = letters_.eof();
        if ((letters_.number(tslovo::Nstrok) != state_.cursor.line || pastEnd) &&
            settings_.wordRow) {
            wordRow();
        }
        if (pastEnd) {
            locateSentence();
            prevNzn_ = letters_.number(tslovo::Nzn) - 1;
            state_.cursor.line = letters_.number(tslovo::Nstrok);
            if (!hidden()) {
                ++frameCycle_;
            }
            if (phraseRepeats_ > 0) {
                inLoopPhrase();
                --phraseRepeats_;
            }
            if (frameCycle_ > 4) {
                frameCycle_ = 0;
            }
        }
        if (letters_.number(tslovo::Npred) != state_.cursor.sentence) {
            if (phraseRepeats_ > 0) {
                inLoopPhrase();
                --phraseRepeats_;
            }
            prevNzn_ = letters_.number(tslovo::Nzn) - 1;
            state_.cursor.line = letters_.number(tslovo::Nstrok);
            if (!hidden()) {
                ++frameCycle_;
            }
            if (frameCycle_ > 4) {
                frameCycle_ = 0;
            }
        }
        if (letters_.number(tslovo::Nzn) != prevNzn_ + 1) {
            prevNzn_ = letters_.number(tslovo::Nzn) - 1;
            gapStep_ = true;
            letters_.prior();
            scene_.big().clearStrip();
        }
    }

    // The blank step between two words: the photo, when a word beginning with "Я" asked for it.
    void blankStep() {
        e_.trace("gap");
        if (settings_.photo && photoDue_) {
            const int pause = std::max(0, settings_.photoPause);
            scene_.bringToFront({PanelScene::Kind::Photo});
            scene_.ifoto().setVisible(true);
            e_.trace("photo " + std::to_string(pause));
            e_.screen_->present(Shown::Photo, pause);
            scene_.ifoto().setVisible(false);
            scene_.sendToBack({PanelScene::Kind::Photo});
            photoDue_ = false;
            return;
        }
        e_.screen_->present(Shown::Blank, settings_.letterStepMs());
    }

    void showLetter() {
        const int row = letters_.rowIndex();
        if (settings_.matrix) {
            state_.cursor.glyphFrame = frameCycle_;
            display_.Aspaitm();
            e_.trace("matrix " + glyphName(letters_, row) + " " +
                     std::to_string(state_.cursor.glyphFrame));
            // The block flashes: it is seen for the first refresh of the step only.
            e_.screen_->present(Shown::Letter, settings_.letterStepMs());
            display_.Ainvisiblem();
            e_.screen_->present(Shown::Rest, 0);
        } else {
            if (settings_.letter) {
                GlyphCell& big = scene_.big();
                display_.loadCurrentGlyph(big);
                big.setFrame(frameCycle_);
                big.setTransparentColour(kWhite);
                e_.trace("letter " + glyphName(letters_, row) + " " + std::to_string(frameCycle_));
            }
            e_.screen_->present(Shown::Letter, settings_.letterStepMs());
        }
        if (letters_.text(tslovo::Bukv) == "\xDF" && letters_.number(tslovo::Nbuk) == 1) {
            photoDue_ = true;
        }
    }

    void hideLetterDisplay() {
        if (settings_.matrix) {
            display_.Ainvisiblem();
        } else {
            scene_.big().setVisible(false);
        }
    }

    void wordRow() {
        if (hidden()) {
            state_.cursor.glyphFrame = 0;
        } else if (grey_ && settings_.view == SessionSettings::kInverse) {
            state_.cursor.glyphFrame = 4;
        } else {
            state_.cursor.glyphFrame = frameCycle_;
        }
        hideLetterDisplay();
        const std::string cells = e_.trace_ ? describeRow() : std::string();
        display_.Aspraitb();
        display_.Aanispb();
        display_.Avisibleb();
        const int waited = timedDisplay(Shown::WordRow, settings_.wordPause);
        e_.trace("wordrow " + std::to_string(state_.cursor.glyphFrame) + " " +
                 std::to_string(waited) + cells);
        display_.Ainvisibleb();
        state_.cursor.line = letters_.number(tslovo::Nstrok);
        if (settings_.matrix) {
            display_.Avisiblem();
        } else {
            scene_.big().setVisible(true);
        }
    }

    // Shows what is on the panel for the pause when the style has one (frame 0 has none and is not
    // shown at all); returns the milliseconds waited.
    int timedDisplay(Shown what, int pause) {
        if (state_.cursor.glyphFrame <= 0) {
            return 0;
        }
        const int waited = std::max(0, pause);
        e_.screen_->present(what, waited);
        return waited;
    }

    // The phrase display: the whole sentence in the grid in one style, for the pause.
    void phraseDisplay(int pause) {
        scene_.big().setVisible(false);
        scene_.big().clearStrip();
        letters_.first();
        display_.Asprait();
        const std::string cells = e_.trace_ ? describeSentence() : std::string();
        display_.Aanisp();
        display_.Avisiblesp();
        const int waited = timedDisplay(Shown::Phrase, pause);
        e_.trace("phrase " + std::to_string(state_.cursor.glyphFrame) + " " +
                 std::to_string(waited) + cells);
        display_.Ainvisiblesp();
        display_.Anilsp();
    }

    void inLoopPhrase() {
        const bool visible = settings_.view == SessionSettings::kVisible;
        state_.cursor.glyphFrame = visible ? (grey_ ? 4 : frameCycle_) : 0;
        phraseDisplay(grey_ ? settings_.wordPause : settings_.phrasePause);
        const RecordTable& scenario = e_.world_.scenario;
        if (!scenario.text(tschenar::Faileiz).empty() && scenario.number(tschenar::Vid) == 2) {
            e_.showScenarioPicture(scenario.number(tschenar::Zad));
        }
        locateSentence();
        if (!settings_.matrix) {
            scene_.big().setVisible(true);
        }
    }

    void endOfTick() {
        const bool inverse = settings_.view == SessionSettings::kInverse;
        state_.cursor.glyphFrame = inverse ? (grey_ ? 4 : frameCycle_) : 0;
        phraseDisplay(grey_ ? settings_.wordPause : settings_.phrasePause);
        const RecordTable& scenario = e_.world_.scenario;
        const bool hasPicture = !scenario.text(tschenar::Faileiz).empty();
        if (hasPicture && scenario.number(tschenar::Vid) >= 1) {
            e_.showScenarioPicture(scenario.number(tschenar::Zad));
        }
        ++state_.cursor.sentence;
        if (state_.cursor.sentence > state_.sentenceCount) {
            ++state_.cursor.thesis;
            state_.cursor.sentence = 1;
            if (hasPicture && scenario.number(tschenar::Vid) == 0) {
                e_.showScenarioPicture(scenario.number(tschenar::Zad));
            }
        }
        e_.Aprepare();
        if (state_.cursor.thesis > state_.thesisCount) {
            ++state_.repeatsDone;
            if (state_.repeatsDone == settings_.passes) {
                endSession();
                return;
            }
            state_.cursor.thesis = 1;
            state_.cursor.sentence = 1;
            state_.loadedThesis = 0;
        }
        if (letters_.isOpen()) {
            e_.Alocate();
        }
    }

    // The pauses are lowered by the colour tick only.
    void endSession() {
        letters_.close();
        e_.colourTimer_ = false;
        e_.greyTimer_ = false;
        e_.over_ = true;
        SessionOutcome& outcome = e_.outcome_;
        outcome.lowerPauses = !grey_ && settings_.lowerPauses;
        int wordPause = settings_.wordPause;
        int phrasePause = settings_.phrasePause;
        if (outcome.lowerPauses) {
            if (wordPause != 0) {
                --wordPause;
                --phrasePause;
            } else {
                phrasePause = 0;
            }
        }
        outcome.wordPause = wordPause;
        outcome.phrasePause = phrasePause;
        e_.trace("end " + std::to_string(wordPause) + " " + std::to_string(phrasePause));
    }

    // The cells the word-row actions will walk, as " C:NALF" entries in walk order.
    std::string describeRow() const {
        const RecordTable& t = letters_;
        int row = 0;
        for (int i = 0; i < t.rowCount(); ++i) {
            if (t.numberAt(i, tslovo::Nnast) == state_.cursor.thesis &&
                t.numberAt(i, tslovo::Npred) == state_.cursor.sentence &&
                t.numberAt(i, tslovo::Nstrok) == state_.cursor.line) {
                row = i;
                break;
            }
        }
        std::string cells;
        for (; row < t.rowCount() && t.numberAt(row, tslovo::Nstrok) == state_.cursor.line; ++row) {
            const int cell = t.numberAt(row, tslovo::Nsprslov);
            if (cell >= 1 && cell <= kRowCells) {
                cells += " " + std::to_string(cell) + ":" + glyphName(t, row);
            }
        }
        return cells;
    }

    std::string describeSentence() const {
        const RecordTable& t = letters_;
        int row = 0;
        while (row < t.rowCount() && !(t.numberAt(row, tslovo::Nnast) == state_.cursor.thesis &&
                                       t.numberAt(row, tslovo::Npred) == state_.cursor.sentence)) {
            ++row;
        }
        std::string cells;
        for (; row < t.rowCount() && t.numberAt(row, tslovo::Npred) == state_.cursor.sentence;
             ++row) {
            const int cell = t.numberAt(row, tslovo::Nspr);
            if (cell >= 1 && cell <= kGridCells) {
                cells += " " + std::to_string(cell) + ":" + glyphName(t, row);
            }
        }
        return cells;
    }

    SessionEngine& e_;
    const bool grey_;
    const SessionSettings& settings_;
    SessionState& state_;
    RecordTable& letters_;
    PanelScene& scene_;
    GlyphDisplay& display_;

    int sceneColour_ = 0;
    int phraseRepeats_ = 0;
    int frameCycle_ = 0;
    bool photoDue_ = false;
    bool gapStep_ = false;
    int prevNzn_ = 0;
    int phase_ = 1;
};

void SessionEngine::playTick(bool grey) {
    Tick(*this, grey).run();
}

} // namespace mirelta

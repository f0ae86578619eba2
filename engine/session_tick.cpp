#include "engine/session_tick.h"

#include "display/glyph_display.h"
#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/cell_descriptions.h"
#include "engine/session_run.h"
#include "engine/session_state.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <algorithm>

namespace mirelta {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr int kLastStyle = kStripFrames - 1;

// "Убавлять": a session that ends in a colour tick lowers both pauses by one, or the phrase pause
// to 0 once the word pause is 0.
SessionOutcome outcomeOf(const SessionSettings& settings, bool grey) {
    SessionOutcome outcome;
    outcome.lowerPauses = !grey && settings.lowerPauses;
    outcome.wordPause = settings.wordPause;
    outcome.phrasePause = settings.phrasePause;
    if (outcome.lowerPauses) {
        if (outcome.wordPause != 0) {
            --outcome.wordPause;
            --outcome.phrasePause;
        } else {
            outcome.phrasePause = 0;
        }
    }
    return outcome;
}

} // namespace

SessionTick::SessionTick(SessionRun& run, bool grey)
    : run_(run), grey_(grey), settings_(run.settings()), state_(run.state()),
      letters_(run.world().letters), scene_(run.world().scene), display_(run.display()),
      flashing_(run.flashing()) {}

void SessionTick::play() {
    trace(std::string(grey_ ? "tick G " : "tick A ") + std::to_string(state_.cursor.thesis) + " " +
          std::to_string(state_.cursor.sentence));
    sceneColour_ = scenarioColour(run_.world());
    if (!grey_) {
        state_.colourIndex = 0;
    }
    phraseRepeats_ = settings_.phraseRepeats;
    drawShift(true);
    if (!settings_.matrix) {
        scene_.big().setVisible(true);
    }
    goToSentenceStart();
    state_.cursor.line = letters_.number(letters_field::GridRow);
    for (int step = 0; step <= state_.stepCount; ++step) {
        letterStep();
    }
    endOfTick();
}

void SessionTick::trace(const std::string& line) const {
    run_.trace()(line);
}

bool SessionTick::hidden() const {
    return ruleOf(settings_.view).lettersHidden;
}

void SessionTick::goToSentenceStart() {
    letters_.first();
    letters_.locate({{letters_field::Thesis, state_.cursor.thesis},
                     {letters_field::Sentence, state_.cursor.sentence}});
}

PanelFlashing::RingRule SessionTick::ringRule() const {
    using RingRule = PanelFlashing::RingRule;
    if (grey_) {
        return RingRule::Grey;
    }
    return sceneColour_ == kRedScenario     ? RingRule::Red
           : sceneColour_ == kGreenScenario ? RingRule::Green
                                            : RingRule::All;
}

// At the start of a tick the red and green scenes put their picture in.
void SessionTick::drawShift(bool firstOfTick) {
    if (firstOfTick && !grey_) {
        if (sceneColour_ == kRedScenario) {
            run_.putBackground(Backgrounds::kRed);
        } else if (sceneColour_ == kGreenScenario) {
            run_.putBackground(Backgrounds::kGreen);
        }
    }
    flashing_.drawTickShift(sceneColour_, grey_, firstOfTick);
}

// A step shows the letter under the cursor, or a blank between two words, then moves on: a word
// row when the grid row is done, a phrase when the sentence is done, a blank when the next letter
// starts a new word.
void SessionTick::letterStep() {
    flashStep();
    if (!hidden()) {
        applySceneStyle();
    }
    if (gapStep_) {
        blankStep();
    } else {
        showLetter();
        previousPosition_ = letters_.number(letters_field::Position);
    }
    gapStep_ = false;
    letters_.next();
    const bool pastEnd = letters_.eof();
    if ((letters_.number(letters_field::GridRow) != state_.cursor.line || pastEnd) &&
        settings_.wordRow) {
        wordRow();
    }
    if (pastEnd) {
        endOfSentence(true);
    }
    if (letters_.number(letters_field::Sentence) != state_.cursor.sentence) {
        endOfSentence(false);
    }
    if (letters_.number(letters_field::Position) != previousPosition_ + 1) {
        startGap();
    }
}

void SessionTick::flashStep() {
    run_.restartStoppedSound();
    flashing_.sweepRing(ringRule());
    flashing_.shiftPass(grey_, phase_.current(), kPanelSize, kPanelSize - 1);
    if (phase_.advance()) {
        drawShift(false);
    }
}

// Grey ticks, and the red and green scenes, hold the letters to one style; the others cycle.
void SessionTick::applySceneStyle() {
    if (grey_) {
        frameCycle_ = kGreyStyle;
    } else if (sceneColour_ == kRedScenario) {
        frameCycle_ = 2;
    } else if (sceneColour_ == kGreenScenario) {
        frameCycle_ = 1;
    }
}

// The sentence has been played through: the stream starts it again from its first letter in the
// next style, showing the phrase while repeats are left. When the letters ran out, the phrase is
// already in the next style; when the next sentence's first letter came up, it is in the style
// the sentence was played in.
void SessionTick::endOfSentence(bool lettersRanOut) {
    if (lettersRanOut) {
        goToSentenceStart();
        nextLetterStyle();
    }
    showPhraseWhileRepeatsLeft();
    previousPosition_ = letters_.number(letters_field::Position) - 1;
    state_.cursor.line = letters_.number(letters_field::GridRow);
    if (!lettersRanOut) {
        nextLetterStyle();
    }
    if (frameCycle_ > kLastStyle) {
        frameCycle_ = 0;
    }
}

void SessionTick::nextLetterStyle() {
    if (!hidden()) {
        ++frameCycle_;
    }
}

// The next letter is not the next position: the step after this one stays on this letter and
// shows the blank between the words.
void SessionTick::startGap() {
    previousPosition_ = letters_.number(letters_field::Position) - 1;
    gapStep_ = true;
    letters_.prior();
    scene_.big().clearStrip();
}

// The blank step between two words: the photo, when a word beginning with "Я" asked for it.
void SessionTick::blankStep() {
    trace("gap");
    if (settings_.photo && photoDue_) {
        showPhoto();
        photoDue_ = false;
        return;
    }
    run_.present(Shown::Blank, lookOf(settings_.speed).letterStepMs);
}

void SessionTick::showPhoto() {
    const int pause = std::max(0, settings_.photoPause);
    scene_.bringToFront({PanelScene::Kind::Photo});
    scene_.photo().setVisible(true);
    trace("photo " + std::to_string(pause));
    run_.present(Shown::Photo, pause);
    scene_.photo().setVisible(false);
    scene_.sendToBack({PanelScene::Kind::Photo});
}

void SessionTick::showLetter() {
    if (settings_.matrix) {
        const int row = letters_.rowIndex();
        state_.cursor.glyphFrame = frameCycle_;
        display_.showLetterInMatrix();
        trace("matrix " + glyphName(letters_, row) + " " +
              std::to_string(state_.cursor.glyphFrame));
        // The block flashes: it is seen for the first refresh of the step only.
        run_.present(Shown::Letter, lookOf(settings_.speed).letterStepMs);
        display_.hideMatrix();
        run_.present(Shown::Rest, 0);
    } else {
        showBigLetter();
    }
    if (letters_.text(letters_field::Letter) == "\xDF" &&
        letters_.number(letters_field::LetterInWord) == 1) {
        photoDue_ = true;
    }
}

// Without "Буква" the step shows only its ring and colours.
void SessionTick::showBigLetter() {
    if (settings_.letter) {
        GlyphCell& big = scene_.big();
        display_.loadCurrentGlyph(big);
        big.setFrame(frameCycle_);
        big.setTransparentColour(kWhite);
        trace("letter " + glyphName(letters_, letters_.rowIndex()) + " " +
              std::to_string(frameCycle_));
    }
    run_.present(Shown::Letter, lookOf(settings_.speed).letterStepMs);
}

void SessionTick::endOfTick() {
    showClosingPhrase();
    moveToNextSentence();
    run_.playPreparation();
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
        run_.locateSentence();
    }
}

// The phrase after the stream is styled only in the inverse view.
void SessionTick::showClosingPhrase() {
    state_.cursor.glyphFrame = phraseFrame(ruleOf(settings_.view).closingPhraseStyled);
    phraseDisplay(phrasePause());
    if (pictureFrequency() >= 1) {
        run_.showScenarioPicture(run_.world().scenario.number(scenario_field::PicturePause));
    }
}

void SessionTick::moveToNextSentence() {
    const std::optional<int> frequency = pictureFrequency();
    ++state_.cursor.sentence;
    if (state_.cursor.sentence > state_.sentenceCount) {
        ++state_.cursor.thesis;
        state_.cursor.sentence = 1;
        if (frequency == 0) {
            run_.showScenarioPicture(run_.world().scenario.number(scenario_field::PicturePause));
        }
    }
}

void SessionTick::endSession() {
    letters_.close();
    run_.finish(outcomeOf(settings_, grey_));
}

} // namespace mirelta

// A tick's word rows and phrases: a grid row or a whole sentence of the grid shown in one style
// for its pause, between the letters of the stream and after it.

#include "display/glyph_display.h"
#include "display/panel_scene.h"
#include "engine/cell_descriptions.h"
#include "engine/session_run.h"
#include "engine/session_state.h"
#include "engine/session_tick.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <algorithm>

namespace mirelta {

void SessionTick::hideLetterDisplay() {
    if (settings_.matrix) {
        display_.hideMatrix();
    } else {
        scene_.big().setVisible(false);
    }
}

void SessionTick::showLetterDisplay() {
    if (settings_.matrix) {
        display_.showMatrix();
    } else {
        scene_.big().setVisible(true);
    }
}

void SessionTick::wordRow() {
    if (hidden()) {
        state_.cursor.glyphFrame = 0;
    } else if (grey_ && ruleOf(settings_.view).greyWordRows) {
        state_.cursor.glyphFrame = kGreyStyle;
    } else {
        state_.cursor.glyphFrame = frameCycle_;
    }
    hideLetterDisplay();
    const std::string cells =
        run_.trace().on() ? describeRowCells(letters_, state_.cursor) : std::string();
    display_.loadWordRow();
    display_.styleWordRow();
    display_.showWordRow();
    const int waited = timedDisplay(Shown::WordRow, settings_.wordPause);
    trace("wordrow " + std::to_string(state_.cursor.glyphFrame) + " " + std::to_string(waited) +
          cells);
    display_.clearWordRow();
    state_.cursor.line = letters_.number(letters_field::GridRow);
    showLetterDisplay();
}

// Shows what is on the panel for the pause when the style has one (style 0 has none and is not
// shown at all); returns the milliseconds waited.
int SessionTick::timedDisplay(Shown what, int pause) {
    if (state_.cursor.glyphFrame <= 0) {
        return 0;
    }
    const int waited = std::max(0, pause);
    run_.present(what, waited);
    return waited;
}

// The phrase display: the whole sentence in the grid in one style, for the pause.
void SessionTick::phraseDisplay(int pause) {
    scene_.big().setVisible(false);
    scene_.big().clearStrip();
    letters_.first();
    display_.loadSentence();
    const std::string cells =
        run_.trace().on() ? describeSentenceCells(letters_, state_.cursor) : std::string();
    display_.styleSentence();
    display_.showSentence();
    const int waited = timedDisplay(Shown::Phrase, pause);
    trace("phrase " + std::to_string(state_.cursor.glyphFrame) + " " + std::to_string(waited) +
          cells);
    display_.hideSentence();
    display_.emptySentence();
}

// The phrase's style: the stream's style (grey ticks their own) when the view shows it, else 0.
int SessionTick::phraseFrame(bool styled) const {
    if (!styled) {
        return 0;
    }
    return grey_ ? kGreyStyle : frameCycle_;
}

// Grey ticks show their phrases for the word pause.
int SessionTick::phrasePause() const {
    return grey_ ? settings_.wordPause : settings_.phrasePause;
}

// How often the thesis's picture is shown, as its header says: 0 once, at the end of the thesis;
// 1 after every sentence; 2 after every phrase as well. Nothing when the thesis has no picture.
std::optional<int> SessionTick::pictureFrequency() const {
    const RecordTable& scenario = run_.world().scenario;
    if (scenario.text(scenario_field::Picture).empty()) {
        return std::nullopt;
    }
    return scenario.number(scenario_field::PictureFrequency);
}

// Within the stream the phrase is shown only in the visible view.
void SessionTick::showPhraseWhileRepeatsLeft() {
    if (phraseRepeats_ <= 0) {
        return;
    }
    state_.cursor.glyphFrame = phraseFrame(ruleOf(settings_.view).phraseInStream);
    phraseDisplay(phrasePause());
    if (pictureFrequency() == 2) {
        run_.showScenarioPicture(run_.world().scenario.number(scenario_field::PicturePause));
    }
    goToSentenceStart();
    if (!settings_.matrix) {
        scene_.big().setVisible(true);
    }
    --phraseRepeats_;
}

} // namespace mirelta

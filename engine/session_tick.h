#pragma once
// One tick of a session: one sentence played letter by letter, in colour (Akod) or in grey
// (Akodser), with its word rows, phrases, photo and scenario picture, and the move to the next
// sentence, thesis and pass. The grey tick differs from the colour tick only at the points
// marked so.

#include "display/screen.h"
#include "engine/panel_flashing.h"

#include <optional>
#include <string>

namespace mirelta {

class GlyphDisplay;
class PanelScene;
class RecordTable;
class SessionRun;
struct SessionSettings;
struct SessionState;

class SessionTick {
public:
    SessionTick(SessionRun& run, bool grey);
    void play();

private:
    // The letter style of grey ticks, and of the inverse view's word rows in them.
    static constexpr int kGreyStyle = 4;

    // The stream of letters.
    void letterStep();
    void flashStep();
    void applySceneStyle();
    void blankStep();
    void showPhoto();
    void showLetter();
    void showBigLetter();
    void endOfSentence(bool lettersRanOut);
    void nextLetterStyle();
    void startGap();
    void goToSentenceStart();
    void drawShift(bool firstOfTick);
    PanelFlashing::RingRule ringRule() const;

    // Word rows and phrases (tick_phrases.cpp).
    void wordRow();
    void hideLetterDisplay();
    void showLetterDisplay();
    int timedDisplay(Shown what, int pause);
    void phraseDisplay(int pause);
    void showPhraseWhileRepeatsLeft();
    int phraseFrame(bool styled) const;
    int phrasePause() const;
    std::optional<int> pictureFrequency() const;

    // The end of the tick.
    void endOfTick();
    void showClosingPhrase();
    void moveToNextSentence();
    void endSession();

    bool hidden() const;
    void trace(const std::string& line) const;

    SessionRun& run_;
    const bool grey_;
    const SessionSettings& settings_;
    SessionState& state_;
    RecordTable& letters_;
    PanelScene& scene_;
    GlyphDisplay& display_;
    PanelFlashing& flashing_;

    int sceneColour_ = 0;
    int phraseRepeats_ = 0;
    int frameCycle_ = 0; // the letter style the stream cycles through
    bool photoDue_ = false;
    bool gapStep_ = false;
    int previousPosition_ = 0; // the position of the letter last shown
    ShiftPhase phase_;
};

} // namespace mirelta

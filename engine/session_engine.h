#pragma once
// The session: "Старт", the preparation runs, locating each sentence, and the ticks that play the
// sentences, in colour (Akod) or in grey (Akodser). The engine touches no widget: it works on the
// letters and scenario tables, the session state, the panel's scene and the settings taken at
// "Старт", and hands its pictures to a screen, its frame rings to a canvas and its sound to a
// player. It runs until the set number of passes is played or the screen reports that the user
// ended the session.

#include "display/glyph_display.h"
#include "engine/backgrounds.h"
#include "engine/colour_shift.h"
#include "engine/random.h"
#include "engine/session_io.h"
#include "engine/session_settings.h"
#include "engine/session_state.h"

#include <QSize>
#include <QString>
#include <memory>
#include <string>

namespace mirelta {

class GlyphStrips;
class PanelScene;
class RecordTable;
class Screen;
class SoundPlayer;

struct SessionWorld {
    RecordTable& letters;  // Tslovo
    RecordTable& scenario; // Tschenar
    SessionState& state;
    PanelScene& scene;              // Pkod
    const GlyphStrips& strips;      // Dalf
    const Backgrounds& backgrounds; // Dkod
    SoundPlayer& sound;
    Random& random;
    QString programFolder;
};

struct SessionOutcome {
    bool lowerPauses = false; // "Убавлять" applied: the session ended in a colour tick
    int wordPause = 0;        // the pauses after any lowering
    int phrasePause = 0;
};

class SessionEngine {
public:
    explicit SessionEngine(SessionWorld world);
    ~SessionEngine();

    // Locates the current sentence and scenario, loading the thesis's picture and sound when the
    // thesis changed; once armed, chooses the timer for the next tick.
    void Alocate();

    // Plays a whole session: "Старт", then ticks until the passes are played. Throws
    // SessionCancelled when the screen reports that the user ended it.
    SessionOutcome run(const SessionSettings& settings, QSize windowSize, Screen& screen,
                       RingCanvas& rings, SessionTrace* trace);

    bool colourTimer() const { return colourTimer_; }
    bool greyTimer() const { return greyTimer_; }

private:
    class Tick;
    friend class Tick;

    // How the colour index of the frame rings moves on when the sweep wraps.
    enum class RingRule { Preparation, Red, Green, All, Grey };
    static int nextColourIndex(RingRule rule, int index);

    void startClick();
    void playTick(bool grey);
    void Aprepare();
    void putBackground(int index);
    void drawPlainShift();
    void drawPreparationShift();
    void applyPreparationBrightness();
    void frameSweepStep(RingRule rule);
    void traceShift();
    void shiftPass(bool grey, int phase, int rows, int columns);
    void restartStoppedSound();
    void setTimers(bool grey);
    int scenarioColour() const;
    void showScenarioPicture(int milliseconds);
    void placeBigLetter();
    void trace(const std::string& line);
    QString mediaPath(const char* folder, const QString& relative) const;

    SessionWorld world_;
    const SessionSettings* settings_ = nullptr;
    Screen* screen_ = nullptr;
    RingCanvas* rings_ = nullptr;
    SessionTrace* trace_ = nullptr;
    std::unique_ptr<Screen> quietScreen_;
    std::unique_ptr<GlyphDisplay> display_;
    QSize window_;
    ShiftValues shift_;
    std::uint32_t brush_ = 0x00FFFFFF;
    bool colourTimer_ = false;
    bool greyTimer_ = false;
    bool over_ = false;
    SessionOutcome outcome_;
};

} // namespace mirelta

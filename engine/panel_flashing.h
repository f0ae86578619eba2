#pragma once
// What flashes around the letters of a session: the colour shifts that run over the panel's
// background picture, and the frame rings that spread from the panel across the window. The shift
// values and the rings' brush carry over from one step to the next for the whole session.

#include "engine/colour_shift.h"
#include "engine/session_world.h"

#include <QSize>
#include <cstdint>

namespace mirelta {

struct SessionSettings;

// The colour passes alternate between raising (phase 1) and lowering (phase 2) the colours; each
// lowering pass completes a pair, and the next pair gets new shift values.
class ShiftPhase {
public:
    int current() const { return phase_; }
    // Moves to the other phase; true when the pass just made completed a pair.
    bool advance() {
        if (phase_ == 2) {
            phase_ = 1;
            return true;
        }
        phase_ = 2;
        return false;
    }

private:
    int phase_ = 1;
};

class PanelFlashing {
public:
    // How the colour index of the frame rings moves on when the sweep wraps.
    enum class RingRule { Preparation, Red, Green, All, Grey };

    PanelFlashing(SessionWorld& world, const SessionSettings& settings, QSize window,
                  RingCanvas& rings, EventTrace trace);

    // New shift values for the preparation run, kept within the brightness window when it is on.
    void drawPreparationShift();
    // New shift values for a tick: a grey tick takes them plain, the red and green scenes lean
    // towards their colour. The first values of a tick draw the green scene's red before its
    // blue, all later ones the other way round.
    void drawTickShift(int sceneColour, bool grey, bool firstOfTick);

    // One more ring around the panel, ten pixels further out than the last; past half the
    // window's width the sweep starts again at the panel with the next colour of `rule`.
    void sweepRing(RingRule rule);
    // One colour (or grey) pass of the current shift values over the background picture.
    void shiftPass(bool grey, int phase, int rows, int columns);

private:
    static int nextColourIndex(RingRule rule, int index);
    void drawPlainShift();
    void keepPreparationBrightness();
    void keepTickBrightness(int redFactor, int greenFactor);
    void leanTowardsScene(int sceneColour, bool firstOfTick, int& redFactor, int& greenFactor);
    void traceShift();

    SessionWorld& world_;
    const SessionSettings& settings_;
    QSize window_;
    RingCanvas& rings_;
    EventTrace trace_;
    ShiftValues shift_;
    std::uint32_t brush_ = 0x00FFFFFF;
};

} // namespace mirelta

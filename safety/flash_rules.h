#pragma once
// The published limits on flashing light, in one place: what makes a transition, how much of the
// view must change together, and how many transitions a second are too many.

namespace mirelta {

struct FlashRules {
    // A general transition: the relative luminance moves by at least this much...
    double luminanceStep = 0.1;
    // ... and the darker of its two states is below this.
    double darkerBelow = 0.8;
    // A red transition: the redness moves by more than this, with a saturated red at one end.
    double rednessStep = 20;
    // The view the eye takes in at once (10 degrees), as a part of the screen: a third of its width
    // by a third of its height. A frame makes a transition when more than `fieldShare` of such a
    // field, anywhere on the screen, changes together.
    double fieldFraction = 1.0 / 3.0;
    double fieldShare = 0.25;
    // Any one second (a sliding window) may hold this many transitions of each kind: more is a
    // failure (more than 3 flashes, a flash being two opposing transitions).
    int transitionsAllowed = 6;
    // Seconds of this many transitions or more are warnings; warnings over more than
    // `extendedSeconds` of any `extendedSpan` seconds are an extended failure.
    int warningTransitions = 4;
    double extendedSeconds = 4;
    double extendedSpan = 5;
};

} // namespace mirelta

#pragma once
// Switching the keyboard to the Russian layout, so that the name and the personal texts are typed
// in Russian without a trip to the layout switcher.

namespace mirelta {

// Makes Russian the active layout if the user's desktop offers it among its layouts. The user's
// set of layouts is never changed. Returns whether the Russian layout is now active.
bool activateRussianLayout();

} // namespace mirelta

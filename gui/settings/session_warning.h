#pragma once
// The warning before the first session: what flashing light can do to some people, what to do
// when it happens, how to end a session at once, and the choice between the gentle session and
// the full one as it was designed. It is asked until a choice is made; the choice is kept with
// the settings, where the box "Щадящий режим" changes it later.

#include <optional>

namespace mirelta {

class Dialogs;

// True for the gentle session, false for the full one; nothing when the user closed the warning
// without choosing. The full session is the last option, what a tool that cannot ask plays.
std::optional<bool> askForGentleSession(Dialogs& dialogs);

} // namespace mirelta

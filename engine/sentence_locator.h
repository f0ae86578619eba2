#pragma once
// Finding where a session stands before each tick.

#include "engine/session_world.h"

namespace mirelta {

// For the thesis and sentence under the cursor: loads the thesis's picture and opens its sound
// when the thesis changed, counts the sentences of the thesis and the positions of the sentence
// (which sets the number of letter steps), and leaves the letters table on its first row. Once a
// thesis is open (SessionState::thesisOpen), it also starts the timer that the scenario's colour
// asks for, putting the grey picture in for a grey scenario.
void locateSentence(SessionWorld& world, TickTimers& timers,
                    const EventTrace& trace); // Alocate

} // namespace mirelta

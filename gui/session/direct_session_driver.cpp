#include "gui/session/direct_session_driver.h"

namespace mirelta {

void DirectSessionDriver::start(SessionEngine& engine, const SessionSettings& settings,
                                QSize window, std::function<void(const SessionOutcome&)> ended) {
    presented = heldMilliseconds = rings = 0;
    running_ = true;
    const SessionOutcome outcome =
        engine.run(settings, windowSize.value_or(window), *this, *this, trace_);
    running_ = false;
    ended(outcome);
}

} // namespace mirelta

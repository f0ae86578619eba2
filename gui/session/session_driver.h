#pragma once
// Runs a session for the window: where it runs, how its frames reach the screen and how it can be
// ended early is the driver's business.

#include "engine/session_engine.h"

#include <QSize>
#include <functional>

namespace mirelta {

class SessionDriver {
public:
    virtual ~SessionDriver() = default;

    // Starts the session. When it has played to its end, `ended` runs on the window's thread.
    virtual void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
                       std::function<void(const SessionOutcome&)> ended) = 0;
    virtual bool isRunning() const = 0;
    // Ends a running session at once; returns when the engine has stopped.
    virtual void cancel() = 0;
};

} // namespace mirelta

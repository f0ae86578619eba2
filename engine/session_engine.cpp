#include "engine/session_engine.h"

#include "display/screen.h"
#include "engine/sentence_locator.h"
#include "engine/session_run.h"
#include "engine/session_tick.h"

namespace mirelta {
namespace {

class QuietScreen : public Screen {
public:
    void present(Shown, int) override {}
};

} // namespace

SessionEngine::SessionEngine(SessionWorld world)
    : world_(std::move(world)), cellScreen_(std::make_unique<QuietScreen>()) {}

SessionEngine::~SessionEngine() = default;

// Outside a session nothing is traced.
void SessionEngine::locateSentence() {
    mirelta::locateSentence(world_, timers_, EventTrace());
}

SessionOutcome SessionEngine::run(const SessionSettings& settings, QSize windowSize, Screen& screen,
                                  RingCanvas& rings, SessionTrace* trace) {
    // The screen, canvas and trace belong to this session only: the run that holds them ends with
    // it, however it ends.
    SessionRun session(world_, timers_, settings, {windowSize, screen, rings, trace}, *cellScreen_);
    session.start();
    while (timers_.running()) {
        SessionTick(session, timers_.grey).play();
    }
    return session.outcome();
}

} // namespace mirelta

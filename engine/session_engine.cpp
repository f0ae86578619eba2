#include "engine/session_engine.h"

#include "display/screen.h"
#include "engine/flash_limiter.h"
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
void SessionEngine::prepareFirstSentence() {
    mirelta::locateSentence(world_, timers_, EventTrace());
}

SessionOutcome SessionEngine::run(const SessionSettings& settings, QSize windowSize, Screen& screen,
                                  RingCanvas& rings, SessionTrace* trace) {
    // The screen, canvas and trace belong to this session only: the run that holds them ends with
    // it, however it ends.
    if (settings.gentle) {
        FlashLimiter limiter(world_.scene, windowSize, screen, rings, trace);
        return play({windowSize, limiter, limiter, trace}, settings);
    }
    return play({windowSize, screen, rings, trace}, settings);
}

SessionOutcome SessionEngine::play(const SessionStage& stage, const SessionSettings& settings) {
    SessionRun session(world_, timers_, settings, stage, *cellScreen_);
    session.start();
    while (timers_.running()) {
        SessionTick(session, timers_.grey).play();
    }
    return session.outcome();
}

} // namespace mirelta

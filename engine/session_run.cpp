#include "engine/session_run.h"

#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/sentence_locator.h"
#include "engine/session_state.h"
#include "platform/sound/sound_player.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <algorithm>

namespace mirelta {
namespace {

constexpr int kPreparationSteps = 51;
// A preparation step is paced like the fastest letter step: one refresh of a 60 Hz screen.
constexpr int kPreparationStepMs = 17;

} // namespace

SessionRun::SessionRun(SessionWorld& world, TickTimers& timers, const SessionSettings& settings,
                       const SessionStage& stage, Screen& cellScreen)
    : world_(world), timers_(timers), settings_(settings), screen_(stage.screen),
      trace_(stage.trace), display_(world.scene, world.strips, world.letters, world.state.cursor,
                                    cellScreen, settings.speed),
      flashing_(world, settings, stage.window, stage.rings, trace_) {}

void SessionRun::start() {
    trace_("start");
    world_.scene.setGentle(settings_.gentle);
    if (settings_.gentle) {
        trace_("gentle");
    }
    world_.state.loadedThesis = 0;
    // A pass ends after the thesis of the last header the parse read.
    const RecordTable& scenario = world_.scenario;
    world_.state.thesisCount = scenario.numberAt(scenario.rowCount() - 1, scenario_field::Thesis);
    centreOnPanel(world_.scene.photo());
    centreOnPanel(world_.scene.scenarioPicture());
    placeBigLetter();
    timers_.colour = true;
    timers_.grey = false;
    playPreparation();
    if (settings_.sound && world_.sound.isOpen()) {
        world_.sound.play();
        trace_("sound play");
    }
}

void SessionRun::placeBigLetter() {
    const int size = lookOf(settings_.speed).bigLetterSide;
    const int place = lookOf(settings_.speed).bigLetterPlace;
    world_.scene.big().setGeometry(QRect(place, place, size, size));
    trace_("big " + std::to_string(size) + " " + std::to_string(place));
}

void SessionRun::playPreparation() {
    putBackground(Backgrounds::kMany);
    world_.state.colourIndex = -1;
    flashing_.drawPreparationShift();
    ShiftPhase phase;
    for (int step = 0; step < kPreparationSteps; ++step) {
        restartStoppedSound();
        flashing_.sweepRing(PanelFlashing::RingRule::Preparation);
        const QImage& picture = world_.scene.background().picture;
        flashing_.shiftPass(false, phase.current(), picture.height(), picture.width() - 1);
        if (phase.advance()) {
            flashing_.drawPreparationShift();
        }
        screen_.present(Shown::Preparation, kPreparationStepMs);
    }
    startTimer(timers_, scenarioColour(world_) == kGreyScenario, trace_);
    world_.state.thesisOpen = 1;
}

void SessionRun::locateSentence() {
    mirelta::locateSentence(world_, timers_, trace_);
}

void SessionRun::putBackground(int index) {
    mirelta::putBackground(world_, index, trace_);
}

void SessionRun::restartStoppedSound() {
    if (world_.sound.isOpen() && world_.sound.stopped() && settings_.sound) {
        world_.sound.play();
        trace_("sound play");
    }
}

void SessionRun::showScenarioPicture(int milliseconds) {
    PanelScene& scene = world_.scene;
    scene.bringToFront({PanelScene::Kind::Scenario});
    scene.scenarioPicture().setVisible(true);
    trace_("picture " + std::to_string(std::max(0, milliseconds)));
    screen_.present(Shown::Picture, std::max(0, milliseconds));
    scene.scenarioPicture().setVisible(false);
    scene.sendToBack({PanelScene::Kind::Scenario});
}

void SessionRun::finish(const SessionOutcome& outcome) {
    timers_.colour = false;
    timers_.grey = false;
    outcome_ = outcome;
    trace_("end " + std::to_string(outcome.wordPause) + " " + std::to_string(outcome.phrasePause));
}

} // namespace mirelta

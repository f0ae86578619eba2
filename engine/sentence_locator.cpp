#include "engine/sentence_locator.h"

#include "display/panel_scene.h"
#include "engine/backgrounds.h"
#include "engine/session_state.h"
#include "platform/pictures/picture_loader.h"
#include "platform/sound/sound_player.h"
#include "text/cp1251.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <QDir>

namespace mirelta {
namespace {

// A header names its picture and sound relative to the program's Image and Sound folders, with
// the separators of the system it was written on.
QString mediaPath(const SessionWorld& world, const char* folder, std::string_view relative) {
    QString path = QString::fromStdString(cp1251::toUtf8(relative));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(world.programFolder).filePath(QLatin1String(folder) + QLatin1Char('/') + path);
}

// A picture that cannot be loaded leaves the box empty: the thesis plays without it.
void loadScenarioPicture(SessionWorld& world, std::string_view file) {
    if (file.empty()) {
        return;
    }
    const LoadedPicture loaded = loadPicture(mediaPath(world, "Image", file));
    if (loaded.ok()) {
        PictureBox& box = world.scene.scenarioPicture();
        box.setPicture(loaded.image);
        centreOnPanel(box);
    }
}

// A thesis without a sound of its own keeps the sound that plays.
void openScenarioSound(SessionWorld& world, std::string_view file, const EventTrace& trace) {
    if (file.empty()) {
        return;
    }
    world.sound.stop();
    world.sound.close();
    if (world.sound.open(mediaPath(world, "Sound", file))) {
        trace("sound open " + cp1251::toUtf8(file));
    }
}

void loadThesisMedia(SessionWorld& world, const EventTrace& trace) {
    SessionState& state = world.state;
    if (state.loadedThesis >= state.cursor.thesis) {
        return;
    }
    world.scene.scenarioPicture().clear();
    RecordTable& scenario = world.scenario;
    if (scenario.locate({{scenario_field::Thesis, state.cursor.thesis}})) {
        loadScenarioPicture(world, scenario.text(scenario_field::Picture));
        openScenarioSound(world, scenario.text(scenario_field::Sound), trace);
    }
    state.loadedThesis = state.cursor.thesis;
}

// The row before the first row that follows the thesis (or the table's last row) carries the
// thesis's last sentence number.
int countSentences(RecordTable& letters, const LetterCursor& cursor) {
    if (letters.locate({{letters_field::Thesis, cursor.thesis + 1}})) {
        letters.prior();
    } else {
        letters.last();
    }
    return letters.number(letters_field::Sentence);
}

// Likewise the row before the next sentence carries the sentence's last position.
int measureSentence(RecordTable& letters, const LetterCursor& cursor) {
    if (letters.locate({{letters_field::Thesis, cursor.thesis},
                        {letters_field::Sentence, cursor.sentence + 1}}) ||
        letters.locate(
            {{letters_field::Thesis, cursor.thesis + 1}, {letters_field::Sentence, 1}})) {
        letters.prior();
    } else {
        letters.last();
    }
    return letters.number(letters_field::Position);
}

void startTimerOfScenario(SessionWorld& world, TickTimers& timers, const EventTrace& trace) {
    if (scenarioColour(world) == kGreyScenario) {
        startTimer(timers, true, trace);
        putBackground(world, Backgrounds::kGrey, trace);
    } else {
        startTimer(timers, false, trace);
    }
}

} // namespace

void locateSentence(SessionWorld& world, TickTimers& timers, const EventTrace& trace) {
    SessionState& state = world.state;
    RecordTable& letters = world.letters;
    loadThesisMedia(world, trace);
    state.sentenceCount = countSentences(letters, state.cursor);
    state.sentenceLength = measureSentence(letters, state.cursor);
    state.stepCount = 5 * state.sentenceLength;
    letters.first();
    trace("locate " + std::to_string(state.cursor.thesis) + " " +
          std::to_string(state.cursor.sentence) + " " + std::to_string(state.sentenceCount) + " " +
          std::to_string(state.sentenceLength));
    if (state.thesisOpen == 1) {
        startTimerOfScenario(world, timers, trace);
    }
}

} // namespace mirelta

#include "engine/session_engine.h"

#include "display/glyph_strips.h"
#include "display/panel_scene.h"
#include "display/screen.h"
#include "platform/pictures/picture_loader.h"
#include "platform/sound/sound_player.h"
#include "text/cp1251.h"
#include "text/record_table.h"
#include "text/suggestion_tables.h"

#include <QDir>
#include <cmath>
#include <cstdio>
#include <zlib.h>

namespace mirelta {
namespace {

constexpr int kPreparationSteps = 51;
// A preparation step is paced like the fastest letter step: one refresh of a 60 Hz screen.
constexpr int kPreparationStepMs = 17;
constexpr double kHalfPanel = kPanelSize / 2.0;

// A screen for the display actions' own repaints: the engine itself decides which states become
// frames.
class QuietScreen : public Screen {
public:
    void present(Shown, int) override {}
};

int half(double value) {
    return static_cast<int>(std::trunc(value));
}

std::string hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// CRC-32 of the picture's pixels, rows from the top, each pixel as its bytes blue, green, red.
std::uint32_t pixelChecksum(const QImage& picture) {
    uLong crc = crc32(0, nullptr, 0);
    for (int y = 0; y < picture.height(); ++y) {
        crc = crc32(crc, picture.constScanLine(y), static_cast<uInt>(3 * picture.width()));
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace

SessionEngine::SessionEngine(SessionWorld world)
    : world_(std::move(world)), quietScreen_(std::make_unique<QuietScreen>()) {}

SessionEngine::~SessionEngine() = default;

void SessionEngine::trace(const std::string& line) {
    if (trace_ != nullptr) {
        trace_->event(line);
    }
}

QString SessionEngine::mediaPath(const char* folder, const QString& relative) const {
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(world_.programFolder).filePath(QLatin1String(folder) + QLatin1Char('/') + path);
}

SessionOutcome SessionEngine::run(const SessionSettings& settings, QSize windowSize, Screen& screen,
                                  RingCanvas& rings, SessionTrace* sessionTrace) {
    settings_ = &settings;
    screen_ = &screen;
    rings_ = &rings;
    trace_ = sessionTrace;
    window_ = windowSize;
    over_ = false;
    outcome_ = {};
    display_ = std::make_unique<GlyphDisplay>(world_.scene, world_.strips, world_.letters,
                                              world_.state.cursor, *quietScreen_,
                                              [this] { return settings_->speed; });
    // The screen, canvas and trace belong to this session only: forget them however it ends.
    struct Forget {
        SessionEngine& engine;
        ~Forget() {
            engine.screen_ = nullptr;
            engine.rings_ = nullptr;
            engine.trace_ = nullptr;
        }
    } forget{*this};
    startClick();
    while (!over_ && (colourTimer_ || greyTimer_)) {
        playTick(greyTimer_);
    }
    return outcome_;
}

void SessionEngine::startClick() {
    trace("start");
    world_.state.loadedThesis = 0;
    for (PictureBox* box : {&world_.scene.ifoto(), &world_.scene.Ishen()}) {
        box->setPosition({half(kHalfPanel - box->size().width() / 2.0),
                          half(kHalfPanel - box->size().height() / 2.0)});
    }
    placeBigLetter();
    colourTimer_ = true;
    greyTimer_ = false;
    Aprepare();
    if (settings_->sound && world_.sound.isOpen()) {
        world_.sound.play();
        trace("sound play");
    }
}

// The slower the speed, the bigger the letter: 84, 126 or 168 pixels square.
void SessionEngine::placeBigLetter() {
    const int speed = settings_->speed;
    const int size = speed == 0 ? 84 : speed == 2 ? 168 : 126;
    const int place = speed == 0 ? 171 : speed == 2 ? 131 : 151;
    world_.scene.big().setGeometry(QRect(place, place, size, size));
    trace("big " + std::to_string(size) + " " + std::to_string(place));
}

void SessionEngine::putBackground(int index) {
    world_.scene.im().picture = world_.backgrounds.picture(index);
    trace("im " + std::to_string(index));
}

void SessionEngine::restartStoppedSound() {
    if (world_.sound.isOpen() && world_.sound.stopped() && settings_->sound) {
        world_.sound.play();
        trace("sound play");
    }
}

void SessionEngine::setTimers(bool grey) {
    greyTimer_ = grey;
    colourTimer_ = !grey;
    trace(grey ? "timer G" : "timer A");
}

int SessionEngine::scenarioColour() const {
    return world_.scenario.number(tschenar::Svet);
}

void SessionEngine::drawPlainShift() {
    Random& random = world_.random;
    shift_.raiseR = random(250);
    shift_.raiseG = random(250);
    shift_.raiseB = random(250);
    shift_.lowerR = shift_.raiseR;
    shift_.lowerG = shift_.raiseG;
    shift_.lowerB = shift_.raiseB;
}

void SessionEngine::drawPreparationShift() {
    drawPlainShift();
    if (settings_->brightness) {
        applyPreparationBrightness();
    }
    traceShift();
}

void SessionEngine::applyPreparationBrightness() {
    const int level = settings_->brightnessLevel;
    const auto sum = [this] { return shift_.raiseR + shift_.raiseG + shift_.raiseB; };
    const auto move = [this](int step) {
        shift_.raiseR += step;
        shift_.raiseG += step;
        shift_.raiseB += step;
        shift_.lowerR -= step;
        shift_.lowerG -= step;
        shift_.lowerB -= step;
    };
    while (sum() <= level) {
        move(20);
    }
    while (sum() >= 750 - level / 2) {
        move(-20);
    }
}

void SessionEngine::traceShift() {
    if (trace_ != nullptr) {
        trace("draw " + std::to_string(shift_.raiseR) + " " + std::to_string(shift_.raiseG) + " " +
              std::to_string(shift_.raiseB) + " " + std::to_string(shift_.lowerR) + " " +
              std::to_string(shift_.lowerG) + " " + std::to_string(shift_.lowerB));
    }
}

void SessionEngine::frameSweepStep(RingRule rule) {
    SessionState& state = world_.state;
    const double width = window_.width();
    const double height = window_.height();
    const int offset = state.frameOffset;
    const QRect corners(
        QPoint(half(width / 2 - kHalfPanel) - offset, half(height / 2 - kHalfPanel) - offset),
        QPoint(half(width / 2 + kHalfPanel) + offset, half(height / 2 + kHalfPanel) + offset));
    state.frameOffset = offset + 10;
    const bool wrapped = state.frameOffset >= half(width / 2);
    if (wrapped) {
        state.frameOffset = 0;
        state.colourIndex = nextColourIndex(rule, state.colourIndex);
    }
    const bool validIndex = state.colourIndex >= 0 && state.colourIndex < kColourCount;
    if ((wrapped || rule == RingRule::Grey) && validIndex) {
        brush_ = state.colours[static_cast<std::size_t>(state.colourIndex)];
    }
    rings_->drawRing(corners, brush_);
    if (trace_ != nullptr) {
        trace("ring " + std::to_string(corners.left()) + " " + std::to_string(corners.top()) + " " +
              std::to_string(corners.right()) + " " + std::to_string(corners.bottom()) + " " +
              hex8(brush_));
    }
}

int SessionEngine::nextColourIndex(RingRule rule, int index) {
    switch (rule) {
    case RingRule::Red:
        return index == 0 ? 1 : index == 1 ? 7 : 0;
    case RingRule::Green:
        return index == 0 ? 2 : index == 2 ? 8 : index == 8 ? 13 : 0;
    case RingRule::Grey:
        return index == 16 ? 0 : 16;
    case RingRule::Preparation:
    case RingRule::All:
        return index + 1 > 16 ? 0 : index + 1;
    }
    return 0;
}

void SessionEngine::shiftPass(bool grey, int phase, int rows, int columns) {
    QImage& picture = world_.scene.im().picture;
    if (grey) {
        GreyShiftPass(picture, shift_, phase, rows, columns);
    } else {
        ColourShiftPass(picture, shift_, phase, rows, columns);
    }
    if (trace_ != nullptr) {
        trace(std::string(grey ? "grey " : "pass ") + std::to_string(phase) + " " +
              hex8(pixelChecksum(picture)));
    }
}

void SessionEngine::Aprepare() {
    putBackground(Backgrounds::kMany);
    world_.state.colourIndex = -1;
    drawPreparationShift();
    int phase = 1;
    for (int step = 0; step < kPreparationSteps; ++step) {
        restartStoppedSound();
        frameSweepStep(RingRule::Preparation);
        const QImage& picture = world_.scene.im().picture;
        shiftPass(false, phase, picture.height(), picture.width() - 1);
        if (phase == 2) {
            drawPreparationShift();
            phase = 1;
        } else {
            phase = 2;
        }
        screen_->present(Shown::Preparation, kPreparationStepMs);
    }
    setTimers(scenarioColour() == 2);
    world_.state.armedFlag = 1;
}

void SessionEngine::Alocate() {
    SessionState& state = world_.state;
    RecordTable& letters = world_.letters;
    RecordTable& scenario = world_.scenario;
    if (state.loadedThesis < state.cursor.thesis) {
        world_.scene.Ishen().clear();
        if (scenario.locate({{tschenar::Nnast, state.cursor.thesis}})) {
            const QString picture =
                QString::fromStdString(cp1251::toUtf8(scenario.text(tschenar::Faileiz)));
            if (!picture.isEmpty()) {
                const LoadedPicture loaded = loadPicture(mediaPath("Image", picture));
                if (loaded.ok()) {
                    PictureBox& box = world_.scene.Ishen();
                    box.setPicture(loaded.image);
                    box.setPosition({half(kHalfPanel - box.size().width() / 2.0),
                                     half(kHalfPanel - box.size().height() / 2.0)});
                }
            }
            const std::string sound = std::string(scenario.text(tschenar::Failezv));
            if (!sound.empty()) {
                world_.sound.stop();
                world_.sound.close();
                if (world_.sound.open(
                        mediaPath("Sound", QString::fromStdString(cp1251::toUtf8(sound))))) {
                    trace("sound open " + cp1251::toUtf8(sound));
                }
            }
        }
        state.loadedThesis = state.cursor.thesis;
    }
    if (letters.locate({{tslovo::Nnast, state.cursor.thesis + 1}})) {
        letters.prior();
    } else {
        letters.last();
    }
    state.sentenceCount = letters.number(tslovo::Npred);
    if (letters.locate(
            {{tslovo::Nnast, state.cursor.thesis}, {tslovo::Npred, state.cursor.sentence + 1}}) ||
        letters.locate({{tslovo::Nnast, state.cursor.thesis + 1}, {tslovo::Npred, 1}})) {
        letters.prior();
    } else {
        letters.last();
    }
    state.sentenceLength = letters.number(tslovo::Nzn);
    state.stepCount = 5 * state.sentenceLength;
    letters.first();
    trace("locate " + std::to_string(state.cursor.thesis) + " " +
          std::to_string(state.cursor.sentence) + " " + std::to_string(state.sentenceCount) + " " +
          std::to_string(state.sentenceLength));
    if (state.armedFlag == 1) {
        if (scenarioColour() == 2) {
            setTimers(true);
            putBackground(Backgrounds::kGrey);
        } else {
            setTimers(false);
        }
    }
}

void SessionEngine::showScenarioPicture(int milliseconds) {
    PanelScene& scene = world_.scene;
    scene.bringToFront({PanelScene::Kind::Scenario});
    scene.Ishen().setVisible(true);
    trace("picture " + std::to_string(std::max(0, milliseconds)));
    screen_->present(Shown::Picture, std::max(0, milliseconds));
    scene.Ishen().setVisible(false);
    scene.sendToBack({PanelScene::Kind::Scenario});
}

} // namespace mirelta

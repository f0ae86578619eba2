#include "engine/panel_flashing.h"

#include "display/gentle_tone.h"
#include "display/panel_scene.h"
#include "engine/random.h"
#include "engine/session_settings.h"
#include "engine/session_state.h"

#include <cstdio>
#include <zlib.h>

namespace mirelta {
namespace {

constexpr double kHalfPanel = kPanelSize / 2.0;

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

// A ring of the gentle session in the panel's dim band; a system colour (the desktop's, which the
// engine does not know) as a middle grey.
std::uint32_t gentleRingColour(std::uint32_t colour) {
    const QRgb rgb =
        (colour & 0x80000000u) != 0
            ? qRgb(128, 128, 128)
            : qRgb(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
    const QRgb toned = gentleColour(rgb);
    return std::uint32_t(qRed(toned)) | (std::uint32_t(qGreen(toned)) << 8) |
           (std::uint32_t(qBlue(toned)) << 16);
}

// Adds on 32 bits that wrap around, as the arithmetic the tick's brightness rules were made for.
void addWrapping(std::int32_t& value, int delta) {
    value = static_cast<std::int32_t>(std::uint32_t(value) + std::uint32_t(delta));
}

} // namespace

PanelFlashing::PanelFlashing(SessionWorld& world, const SessionSettings& settings, QSize window,
                             RingCanvas& rings, EventTrace trace)
    : world_(world), settings_(settings), window_(window), rings_(rings), trace_(trace) {}

void PanelFlashing::drawPlainShift() {
    Random& random = world_.random;
    shift_.raiseR = random(250);
    shift_.raiseG = random(250);
    shift_.raiseB = random(250);
    shift_.lowerR = shift_.raiseR;
    shift_.lowerG = shift_.raiseG;
    shift_.lowerB = shift_.raiseB;
}

void PanelFlashing::drawPreparationShift() {
    drawPlainShift();
    if (settings_.brightness) {
        keepPreparationBrightness();
    }
    traceShift();
}

// The sum of the raised values is moved into the window in steps of 20, as far as it takes.
void PanelFlashing::keepPreparationBrightness() {
    const int level = settings_.brightnessLevel;
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

void PanelFlashing::drawTickShift(int sceneColour, bool grey, bool firstOfTick) {
    drawPlainShift();
    if (grey) {
        traceShift();
        return;
    }
    int redFactor = 1;
    int greenFactor = 1;
    leanTowardsScene(sceneColour, firstOfTick, redFactor, greenFactor);
    if (settings_.brightness) {
        keepTickBrightness(redFactor, greenFactor);
    }
    traceShift();
}

// The scene's own colour is raised and lowered less, and counts double in the brightness rules.
void PanelFlashing::leanTowardsScene(int sceneColour, bool firstOfTick, int& redFactor,
                                     int& greenFactor) {
    Random& random = world_.random;
    if (sceneColour == kRedScenario) {
        shift_.raiseG = random(-50);
        shift_.raiseB = random(50);
        shift_.lowerR = random(50);
        redFactor = 2;
    } else if (sceneColour == kGreenScenario) {
        if (firstOfTick) {
            shift_.raiseR = random(-50);
            shift_.raiseB = random(100);
        } else {
            shift_.raiseB = random(100);
            shift_.raiseR = random(-50);
        }
        shift_.lowerG = random(50);
        greenFactor = 2;
    }
}

// Each rule once, on a 32-bit sum that wraps around like the original arithmetic.
void PanelFlashing::keepTickBrightness(int redFactor, int greenFactor) {
    ShiftValues& s = shift_;
    const int level = settings_.brightnessLevel;
    const auto sum = [&s] {
        return static_cast<std::int32_t>(std::uint32_t(s.raiseR) + std::uint32_t(s.raiseG) +
                                         std::uint32_t(s.raiseB));
    };
    const auto move = [&](int sign) {
        addWrapping(s.raiseR, sign * 30 * redFactor);
        addWrapping(s.raiseG, sign * 30 * greenFactor);
        addWrapping(s.raiseB, sign * 30);
        addWrapping(s.lowerR, -sign * (30 / redFactor));
        addWrapping(s.lowerG, -sign * (30 / greenFactor));
        addWrapping(s.lowerB, -sign * 30);
    };
    if (level >= sum()) {
        move(+1);
    }
    if (sum() >= 750 - level / 2) {
        move(-1);
    }
}

void PanelFlashing::traceShift() {
    if (trace_.on()) {
        trace_("draw " + std::to_string(shift_.raiseR) + " " + std::to_string(shift_.raiseG) + " " +
               std::to_string(shift_.raiseB) + " " + std::to_string(shift_.lowerR) + " " +
               std::to_string(shift_.lowerG) + " " + std::to_string(shift_.lowerB));
    }
}

void PanelFlashing::sweepRing(RingRule rule) {
    SessionState& state = world_.state;
    const double width = window_.width();
    const double height = window_.height();
    const int offset = state.frameOffset;
    const QRect corners(QPoint(towardZero(width / 2 - kHalfPanel) - offset,
                               towardZero(height / 2 - kHalfPanel) - offset),
                        QPoint(towardZero(width / 2 + kHalfPanel) + offset,
                               towardZero(height / 2 + kHalfPanel) + offset));
    state.frameOffset = offset + 10;
    const bool wrapped = state.frameOffset >= towardZero(width / 2);
    if (wrapped) {
        state.frameOffset = 0;
        state.colourIndex = nextColourIndex(rule, state.colourIndex);
    }
    const bool validIndex = state.colourIndex >= 0 && state.colourIndex < kColourCount;
    if ((wrapped || rule == RingRule::Grey) && validIndex) {
        brush_ = state.colours[static_cast<std::size_t>(state.colourIndex)];
    }
    const std::uint32_t colour = settings_.gentle ? gentleRingColour(brush_) : brush_;
    rings_.drawRing(corners, colour);
    if (trace_.on()) {
        trace_("ring " + std::to_string(corners.left()) + " " + std::to_string(corners.top()) +
               " " + std::to_string(corners.right()) + " " + std::to_string(corners.bottom()) +
               " " + hex8(colour));
    }
}

int PanelFlashing::nextColourIndex(RingRule rule, int index) {
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

void PanelFlashing::shiftPass(bool grey, int phase, int rows, int columns) {
    QImage& picture = world_.scene.background().picture;
    if (settings_.gentle) {
        gentleShiftPass(picture, shift_, phase, rows, columns, grey);
    } else if (grey) {
        greyShiftPass(picture, shift_, phase, rows, columns);
    } else {
        colourShiftPass(picture, shift_, phase, rows, columns);
    }
    if (trace_.on()) {
        trace_(std::string(grey ? "grey " : "pass ") + std::to_string(phase) + " " +
               hex8(pixelChecksum(picture)));
    }
}

} // namespace mirelta

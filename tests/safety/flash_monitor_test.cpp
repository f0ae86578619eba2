// The light of a colour as the rules measure it, and the monitor frame by frame: looking at a
// frame without keeping it, holding the screen, the field, the cells, and frames it refuses.

#include "safety/light.h"
#include "tests/safety/clips.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace mirelta;
using namespace mirelta::test;

TEST(Light, SrgbBytesBecomeLinearLightAndLuminance) {
    const std::array<float, 256>& linear = linearFromSrgb();
    EXPECT_FLOAT_EQ(linear[0], 0.0F);
    EXPECT_FLOAT_EQ(linear[255], 1.0F);
    EXPECT_NEAR(linear[10], 10 / 255.0 / 12.92, 1e-7); // the straight part near black
    EXPECT_NEAR(linear[128], 0.2158605, 1e-6);         // mid grey is a fifth of white's light
    EXPECT_NEAR(relativeLuminance(linearColour(255, 255, 255)), 1.0, 1e-6);
    EXPECT_NEAR(relativeLuminance(linearColour(0, 255, 0)), 0.7152, 1e-6);
    EXPECT_NEAR(relativeLuminance(linearColour(255, 0, 0)), 0.2126, 1e-6);
}

TEST(Light, RednessAndSaturatedRed) {
    EXPECT_NEAR(redness(linearColour(255, 0, 0)), 320.0, 1e-4);
    EXPECT_EQ(redness(linearColour(255, 255, 255)), 0.0);
    EXPECT_EQ(redness(linearColour(0, 0, 0)), 0.0);
    EXPECT_TRUE(isSaturatedRed(linearColour(255, 0, 0)));
    EXPECT_TRUE(isSaturatedRed(linearColour(200, 60, 60)));  // 0.58 of 0.67 in red
    EXPECT_FALSE(isSaturatedRed(linearColour(200, 120, 0))); // orange
    EXPECT_FALSE(isSaturatedRed(linearColour(0, 0, 0)));
}

TEST(FlashMonitor, TheFieldIsAThirdOfTheScreenEachWay) {
    EXPECT_EQ(FlashMonitor(QSize(1024, 768)).field(), QSize(341, 256));
    EXPECT_EQ(FlashMonitor(QSize(1920, 1080)).field(), QSize(640, 360));
}

TEST(FlashMonitor, RefusesWhatItCannotMeasure) {
    EXPECT_THROW(FlashMonitor(QSize(0, 10)), std::invalid_argument);
    EXPECT_THROW(FlashMonitor(QSize(10, 10), {.framesPerSecond = 0}), std::invalid_argument);
    EXPECT_THROW(FlashMonitor(QSize(10, 10), {.cellSize = 0}), std::invalid_argument);
    EXPECT_THROW(FlashMonitor(QSize(10, 10), {.cellSize = 65}), std::invalid_argument);
    FlashMonitor monitor(QSize(64, 48));
    EXPECT_THROW(monitor.look(filled(QSize(64, 47), Qt::black)), std::invalid_argument);
    EXPECT_THROW(monitor.look(QImage()), std::invalid_argument);
    // Any picture format is measured as its colours.
    EXPECT_NO_THROW(
        monitor.add(filled(QSize(64, 48), Qt::white).convertToFormat(QImage::Format_Indexed8)));
    EXPECT_FALSE(
        monitor.add(filled(QSize(64, 48), Qt::white).convertToFormat(QImage::Format_RGB888))
            .transition);
}

TEST(FlashMonitor, LookingAtAFrameKeepsNothing) {
    const QSize screen(64, 48);
    const QImage black = filled(screen, Qt::black);
    const QImage white = filled(screen, Qt::white);
    FlashMonitor monitor(screen);
    monitor.add(black);
    // Six transitions in the last second: the limit.
    for (int flip = 0; flip < 6; ++flip) {
        const FrameVerdict shown = monitor.add(flip % 2 == 0 ? white : black);
        ASSERT_TRUE(shown.transition);
        ASSERT_FALSE(shown.tooMany);
    }
    // The seventh would be one too many, as often as it is looked at, until it is kept.
    const FrameVerdict seventh = monitor.look(white);
    EXPECT_TRUE(seventh.tooMany);
    EXPECT_EQ(seventh.transitionsInLastSecond, 7);
    EXPECT_EQ(monitor.look(white).transitionsInLastSecond, 7);
    EXPECT_EQ(monitor.framesKept(), 7);
    // Held back, the screen stays black, which is no transition.
    const FrameVerdict held = monitor.hold();
    EXPECT_FALSE(held.transition);
    EXPECT_EQ(held.transitionsInLastSecond, 6);
    EXPECT_EQ(monitor.framesKept(), 8);
    EXPECT_FALSE(monitor.look(black).transition);
    // More than a second after the first transition (at frame 1) it has left the window, and
    // white may come at frame 62; at frame 61 it would still be one too many.
    for (int frame = 0; frame < 53; ++frame) {
        monitor.hold();
    }
    EXPECT_TRUE(monitor.look(white).tooMany);
    monitor.hold();
    const FrameVerdict later = monitor.look(white);
    EXPECT_TRUE(later.transition);
    EXPECT_EQ(later.transitionsInLastSecond, 6);
    EXPECT_FALSE(later.tooMany);
    monitor.keep();
    EXPECT_EQ(monitor.framesKept(), 63);
}

TEST(FlashMonitor, OnlyOpposingChangesAlternate) {
    // Black, dark grey, lighter grey, white: one rise however many steps it takes, then a fall.
    const QSize screen(32, 32);
    FlashMonitor monitor(screen);
    monitor.add(filled(screen, Qt::black));
    EXPECT_TRUE(monitor.add(filled(screen, QColor(100, 100, 100))).transition);
    EXPECT_FALSE(monitor.add(filled(screen, QColor(180, 180, 180))).transition);
    EXPECT_FALSE(monitor.add(filled(screen, Qt::white)).transition);
    // Both states bright: no transition however far it falls above 0.8.
    EXPECT_FALSE(monitor.add(filled(screen, QColor(235, 235, 235))).transition);
    EXPECT_TRUE(monitor.add(filled(screen, QColor(200, 200, 200))).transition);
    EXPECT_FALSE(monitor.add(filled(screen, QColor(190, 190, 190))).transition);
}

TEST(FlashMonitor, CellsSeeAFinePatternAsItsMean) {
    // A checkerboard of single pixels that inverts every frame: each pixel flashes at 30 Hz, but
    // the screen's light stays the same everywhere.
    const QSize screen(96, 72);
    QImage board(screen, QImage::Format_RGB32);
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            board.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    QImage inverted = board;
    inverted.invertPixels();
    const PlayedClip pixels = alternate(board, inverted, 30, 2, {.cellSize = 1});
    EXPECT_GT(pixels.summary.failingSeconds, 0);
    const PlayedClip cells = alternate(board, inverted, 30, 2, {.cellSize = 4});
    EXPECT_EQ(cells.summary.transitions, 0);
    // A pattern as coarse as the cells flashes in both.
    QImage coarse(screen, QImage::Format_RGB32);
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            coarse.setPixel(x, y, (x / 8 + y / 8) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    QImage coarseInverted = coarse;
    coarseInverted.invertPixels();
    EXPECT_GT(alternate(coarse, coarseInverted, 30, 2, {.cellSize = 4}).summary.failingSeconds, 0);
}

TEST(FlashMonitor, TheAreaIsTheWorstFieldAnywhere) {
    // A patch of 30 % of a field flashing in a corner, then in the middle, of a 1024 x 768 screen.
    const QSize screen(1024, 768);
    const QImage black = filled(screen, Qt::black);
    for (const QPoint corner : {QPoint(0, 0), QPoint(683, 512), QPoint(500, 300)}) {
        const QImage lit = patch(screen, Qt::black, QRect(corner, QSize(187, 140)), Qt::white);
        FlashMonitor monitor(screen);
        monitor.add(black);
        const FrameVerdict verdict = monitor.add(lit);
        EXPECT_TRUE(verdict.transition) << corner.x();
        EXPECT_NEAR(verdict.flashingArea, 187.0 * 140 / (341 * 256), 0.02) << corner.x();
    }
}

TEST(FlashMonitor, AFrameDrawnOverTheOneBeforeIsSeenToChange) {
    // A caller that draws every frame into the same picture: only the rows that changed are
    // measured again, against the monitor's own copy of the frame kept last.
    const QSize screen(96, 72); // a field of 32 x 24 pixels, 8 x 6 cells
    QImage frame = filled(screen, Qt::black);
    FlashMonitor monitor(screen);
    monitor.add(frame);
    frame.fill(Qt::white);
    EXPECT_TRUE(monitor.add(frame).transition);
    EXPECT_FALSE(monitor.add(frame).transition);
    QPainter(&frame).fillRect(0, 30, 96, 42, Qt::black); // 58 % of the screen, all of a field
    const FrameVerdict partly = monitor.add(frame);
    EXPECT_TRUE(partly.transition);
    EXPECT_DOUBLE_EQ(partly.flashingArea, 1.0);
    EXPECT_EQ(partly.transitionsInLastSecond, 2);
}

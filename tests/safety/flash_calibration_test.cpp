// Clips whose outcome under the flash rules is known: the monitor must give each its verdict.

#include "tests/safety/clips.h"

#include <gtest/gtest.h>

using namespace mirelta;
using namespace mirelta::test;

namespace {

const QSize kScreen(480, 360); // a field of 160 x 120 pixels

// Black and white over the whole screen, `hertz` flashes a second, for `seconds`.
PlayedClip blackWhite(double hertz, double seconds) {
    return alternate(filled(kScreen, Qt::black), filled(kScreen, Qt::white), hertz, seconds);
}

// A white rectangle of `share` of a field, 4:3 like the field, flashing on black at 4 Hz. It is
// put off the cell grid, so that its edges cut cells.
PlayedClip patchOfField(double share) {
    const double side = std::sqrt(share * 160 * 120 / 12.0);
    const QRect area(101, 77, static_cast<int>(4 * side), static_cast<int>(3 * side));
    return alternate(filled(kScreen, Qt::black), patch(kScreen, Qt::black, area, Qt::white), 4, 4);
}

} // namespace

TEST(FlashCalibration, TwoHertzForFiveSecondsWarnsWithoutFailing) {
    const PlayedClip clip = blackWhite(2, 5);
    EXPECT_EQ(clip.summary.seconds, 5);
    EXPECT_EQ(clip.summary.failingSeconds, 0);
    EXPECT_EQ(clip.summary.extendedSeconds, 0);
    EXPECT_EQ(clip.summary.warningSeconds, 4); // the first second holds only 3 transitions
    EXPECT_EQ(clip.summary.mostFlashes, 2);
    EXPECT_TRUE(clip.summary.passes());
    // The flashing covers the whole screen, so every field wholly.
    EXPECT_DOUBLE_EQ(clip.seconds[1].flashingArea, 1.0);
}

TEST(FlashCalibration, TwoHertzForSixSecondsIsAnExtendedFailure) {
    const PlayedClip clip = blackWhite(2, 6);
    EXPECT_EQ(clip.summary.failingSeconds, 0);
    EXPECT_GT(clip.summary.extendedSeconds, 0);
    EXPECT_EQ(clip.seconds.back().verdict(), SecondVerdict::ExtendedFailure);
    EXPECT_FALSE(clip.summary.passes());
}

TEST(FlashCalibration, ThreeHertzFails) {
    const PlayedClip clip = blackWhite(3, 3);
    EXPECT_GT(clip.summary.failingSeconds, 0);
    EXPECT_EQ(clip.summary.mostFlashes, 3); // seven transitions in a second
    EXPECT_FALSE(clip.summary.passes());
    // Below that, the same clip is within the limit.
    const PlayedClip slower = blackWhite(2.5, 3);
    EXPECT_EQ(slower.summary.failingSeconds, 0);
}

TEST(FlashCalibration, TwelveHertzRedAndBlueIsARedFlashFailure) {
    const PlayedClip clip =
        alternate(filled(kScreen, QColor(255, 0, 0)), filled(kScreen, QColor(0, 0, 255)), 12, 3);
    EXPECT_GT(clip.summary.failingSeconds, 0);
    EXPECT_GE(clip.summary.mostRedFlashes, 11);
    EXPECT_GT(clip.summary.redFlashes, 3);
    // Red against a red no less saturated is no red flash, however fast.
    const PlayedClip reds =
        alternate(filled(kScreen, QColor(255, 0, 0)), filled(kScreen, QColor(250, 0, 0)), 12, 3);
    EXPECT_EQ(reds.summary.redTransitions, 0);
}

TEST(FlashCalibration, FourHertzOverAFifthOfTheFieldPasses) {
    const PlayedClip fifth = patchOfField(0.20);
    EXPECT_EQ(fifth.summary.transitions, 0);
    EXPECT_TRUE(fifth.summary.passes());
    // The same flashing over more than a quarter of the field fails.
    const PlayedClip third = patchOfField(0.30);
    EXPECT_GT(third.summary.failingSeconds, 0);
    EXPECT_EQ(third.summary.mostFlashes, 4);
}

TEST(FlashCalibration, SlowGreyRampPasses) {
    // Black to white in four seconds and back in four.
    std::vector<QImage> greys;
    greys.reserve(256);
    for (int level = 0; level < 256; ++level) {
        greys.push_back(filled(kScreen, QColor(level, level, level)));
    }
    const PlayedClip clip = play(kScreen, 8, [&](long at) -> const QImage& {
        const long step = at < 240 ? at : 480 - at;
        return greys[static_cast<std::size_t>(std::min(255L, step * 255 / 240))];
    });
    EXPECT_TRUE(clip.summary.passes());
    EXPECT_EQ(clip.summary.warningSeconds, 0);
    // It rose once and fell once, four seconds apart.
    EXPECT_EQ(clip.summary.transitions, 2);
    EXPECT_EQ(clip.summary.mostFlashes, 0);
}

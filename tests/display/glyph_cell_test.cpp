#include "display/glyph_cell.h"
#include "display/glyph_strips.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {
GlyphStrip stripOf(int width, int height, QRgb bottomLeft = 0xFFFFFFFF) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixel(0, height - 1, bottomLeft);
    return GlyphStrip(image);
}
} // namespace

TEST(GlyphCell, FramesFollowTheStripShape) {
    const GlyphStrip five = stripOf(210, 42);
    const GlyphStrip odd = stripOf(100, 42);
    GlyphCell cell(QRect(3, 24, 1, 1), true);
    EXPECT_EQ(cell.frameCount(), 1);
    cell.setStrip(&five);
    EXPECT_EQ(cell.frameCount(), 5);
    EXPECT_EQ(cell.frameWidth(), 42);
    EXPECT_EQ(cell.geometry(), QRect(3, 24, 42, 42)); // auto-size: one frame at the same place
    EXPECT_TRUE(cell.setFrame(3));
    cell.setStrip(&odd); // a new strip starts at frame 0
    EXPECT_EQ(cell.currentFrame(), 0);
    EXPECT_EQ(cell.frameCount(), 1);
    EXPECT_EQ(cell.frameWidth(), 100);
    cell.clearStrip();
    EXPECT_EQ(cell.frameCount(), 1);
    EXPECT_EQ(cell.strip(), nullptr);
}

TEST(GlyphCell, OnlyANewFrameWithinTheStripChangesAnything) {
    const GlyphStrip five = stripOf(210, 42);
    GlyphCell cell(QRect(131, 131, 168, 168), false);
    EXPECT_FALSE(cell.setFrame(2)); // an empty cell has one frame
    cell.setStrip(&five);
    EXPECT_EQ(cell.geometry().size(), QSize(168, 168)); // not auto-sized
    EXPECT_FALSE(cell.setFrame(0));
    EXPECT_FALSE(cell.setFrame(-1));
    EXPECT_FALSE(cell.setFrame(5));
    EXPECT_TRUE(cell.setFrame(4));
    EXPECT_EQ(cell.currentFrame(), 4);
}

TEST(GlyphCell, TheTransparentColourComesFromTheStripAndOnlyShownStripsDraw) {
    const GlyphStrip red = stripOf(210, 42, qRgb(255, 0, 0));
    GlyphCell cell(QRect(0, 0, 42, 42), true);
    cell.setStrip(&red);
    EXPECT_EQ(cell.transparentColour(), qRgb(255, 0, 0));
    EXPECT_FALSE(cell.drawsSomething()); // hidden
    cell.setVisible(true);
    EXPECT_TRUE(cell.drawsSomething());
    cell.clearStrip();
    EXPECT_FALSE(cell.drawsSomething()); // shown but empty
}

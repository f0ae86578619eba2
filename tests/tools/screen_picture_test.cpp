// The checks mirelta-screen makes on screenshots, on pictures whose answer is known: a picture
// enlarged by repeating its pixels against one enlarged with smoothing, a picture taken back to
// one pixel a block, differences outside left-out boxes, and the checksum the frame log writes.

#include "tools/screen_check/screen_picture.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace mirelta::screencheck;

namespace {

// A small picture with sharp edges: a red square on blue.
QImage sharpPicture() {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    QPainter(&picture).fillRect(2, 1, 3, 3, QColor(255, 0, 0));
    return picture;
}

} // namespace

TEST(ScreenPictureTest, ARepeatedPictureIsAllBlocksOfOneColour) {
    const QImage doubled =
        sharpPicture().scaled(16, 12, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const BlockCount count = mixedBlocks(doubled, Box{0, 0, 8, 6}, 2);
    EXPECT_EQ(count.blocks, 48);
    EXPECT_EQ(count.mixed, 0);
    EXPECT_EQ(logicalPicture(doubled, 2), sharpPicture());
}

TEST(ScreenPictureTest, ASmoothedPictureHasBlocksOfMixedColours) {
    const QImage smoothed =
        sharpPicture().scaled(16, 12, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(mixedBlocks(smoothed, Box{0, 0, 8, 6}, 2).mixed, 0);
}

TEST(ScreenPictureTest, ALineHalfAProgramPixelWideIsCaught) {
    // A ring drawn one screen pixel wide on a screen of two pixels a program pixel.
    QImage picture(16, 12, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 0));
    QPainter(&picture).fillRect(0, 5, 16, 1, QColor(255, 255, 255));
    EXPECT_EQ(mixedBlocks(picture, Box{0, 0, 8, 6}, 2).mixed, 8);
    // Left out, the line's blocks are not counted.
    EXPECT_EQ(mixedBlocks(picture, Box{0, 0, 8, 6}, 2, {Box{0, 2, 8, 1}}).mixed, 0);
}

TEST(ScreenPictureTest, DifferencesAreCountedOutsideTheLeftOutBoxes) {
    const QImage reference = sharpPicture();
    QImage other = reference;
    other.setPixel(0, 0, qRgb(1, 1, 1));
    other.setPixel(7, 5, qRgb(1, 1, 1));
    const Difference all = differingPixels(reference, other);
    EXPECT_EQ(all.compared, 48);
    EXPECT_EQ(all.differing, 2);
    const Difference some = differingPixels(reference, other, {Box{0, 0, 1, 1}});
    EXPECT_EQ(some.compared, 47);
    EXPECT_EQ(some.differing, 1);
    EXPECT_EQ(differingPixels(reference, QImage(4, 4, QImage::Format_RGB32)).differing, 1);
}

TEST(ScreenPictureTest, TheChecksumIsThatOfTheFrameLog) {
    // The frame log's CRC-32 is zlib's over the red, green and blue bytes, row by row.
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(9, 9, 9));
    picture.setPixel(1, 0, qRgb(1, 2, 3));
    picture.setPixel(2, 0, qRgb(4, 5, 6));
    EXPECT_EQ(areaChecksum(picture, Box{1, 0, 2, 1}), 0x81F67724u);
}

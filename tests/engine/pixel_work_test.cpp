// The generator, the colour shifts and the grey value, against values worked out by hand and by
// floating point where it is exact.

#include "engine/colour_shift.h"
#include "engine/random.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace mirelta;

TEST(Random, StartsFromZeroInEveryRunAndSpreadsNegativeArguments) {
    Random random;
    EXPECT_EQ(random(250), 0);
    EXPECT_EQ(random(250), 7);
    EXPECT_EQ(random(250), 215);
    Random other;
    EXPECT_EQ(other(250), 0);
    EXPECT_EQ(other(-50), 134775812); // -50 taken as 4294967246
    EXPECT_EQ(other(50), 43);
    EXPECT_EQ(other(100), 20);
    Random range;
    for (int i = 0; i < 10000; ++i) {
        const int value = range(7);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 7);
    }
}

TEST(GreyValue, IsRoundedExactlyWithTiesToEven) {
    EXPECT_EQ(greyOf(1, 0, 20), 2); // 2.5
    EXPECT_EQ(greyOf(0, 5, 5), 4);  // 3.5
    EXPECT_EQ(greyOf(255, 255, 255), 255);
    // Every colour, against floating point, which is exact on the ties (x.5 is a binary fraction)
    // and far from them otherwise.
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; b += 3) {
                const double exact = (30 * r + 59 * g + 11 * b) / 100.0;
                ASSERT_EQ(greyOf(r, g, b), static_cast<int>(std::nearbyint(exact)))
                    << r << " " << g << " " << b;
            }
        }
    }
}

namespace {
QImage picture(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(QColor::fromRgb(fill));
    return image;
}
} // namespace

TEST(ColourShift, AddsAndSubtractsTheLowBytesWrappingAround) {
    QImage image = picture(425, 425, qRgb(250, 10, 128));
    const ShiftValues shift{
        .raiseR = 10, .raiseG = 256 + 5, .raiseB = -1, .lowerR = 300, .lowerG = 20, .lowerB = 128};
    colourShiftPass(image, shift, 1, 425, 424);
    EXPECT_EQ(image.pixel(0, 0), qRgb(4, 15, 127));
    EXPECT_EQ(image.pixel(423, 424), qRgb(4, 15, 127));
    EXPECT_EQ(image.pixel(424, 0), qRgb(250, 10, 128)); // the last column is never shifted
    colourShiftPass(image, shift, 2, 425, 424);
    EXPECT_EQ(image.pixel(10, 10), qRgb(216, 251, 255)); // 4 - 44, 15 - 20, 127 - 128
}

TEST(ColourShift, TheGreyFormShiftsThenTurnsEachPixelGrey) {
    QImage image = picture(425, 425, qRgb(10, 20, 30));
    const ShiftValues shift{.raiseR = 5, .raiseG = 5, .raiseB = 5};
    greyShiftPass(image, shift, 1, 425, 424);
    const int grey = greyOf(15, 25, 35);
    EXPECT_EQ(image.pixel(100, 100), qRgb(grey, grey, grey));
    EXPECT_EQ(image.pixel(424, 100), qRgb(10, 20, 30));
}

// Every byte value in every channel, with shifts that wrap: both ways of turning pixels grey give
// exactly greyOf of the shifted colour, and leave the last column alone.
TEST(ColourShift, BothGreyMethodsGiveTheExactGreyOfEveryShiftedPixel) {
    QImage source(425, 425, QImage::Format_BGR888);
    for (int y = 0; y < source.height(); ++y) {
        std::uint8_t* line = source.scanLine(y);
        for (int i = 0; i < 3 * source.width(); ++i) {
            line[i] = static_cast<std::uint8_t>(i * 7 + y * 13 + (i * y) % 251);
        }
    }
    const ShiftValues shift{.raiseR = 200, .raiseG = 3, .raiseB = 77};
    for (const GreyMethod method : {GreyMethod::Tables, GreyMethod::Arithmetic}) {
        QImage image = source.copy();
        greyShiftPass(image, shift, 1, 425, 424, method);
        for (int y = 0; y < 425; ++y) {
            const std::uint8_t* before = source.constScanLine(y);
            const std::uint8_t* after = image.constScanLine(y);
            for (std::ptrdiff_t x = 0; x < 424; ++x) {
                const std::uint8_t* pixel = before + 3 * x;
                const std::uint8_t* grey = after + 3 * x;
                const int expected = greyOf(static_cast<std::uint8_t>(pixel[2] + 200),
                                            static_cast<std::uint8_t>(pixel[1] + 3),
                                            static_cast<std::uint8_t>(pixel[0] + 77));
                ASSERT_EQ(grey[0], expected) << x << "," << y << " method " << int(method);
                ASSERT_EQ(grey[1], expected);
                ASSERT_EQ(grey[2], expected);
            }
            ASSERT_EQ(image.pixel(424, y), source.pixel(424, y));
        }
    }
}

TEST(ColourShift, PassesStayInsideSmallerPicturesAndIgnoreOtherFormats) {
    QImage small = picture(10, 5, qRgb(0, 0, 0));
    colourShiftPass(small, {.raiseR = 1}, 1, 425, 424);
    EXPECT_EQ(small.pixel(9, 4), qRgb(1, 0, 0));
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::black);
    greyShiftPass(other, {.raiseR = 100}, 1, 10, 10);
    EXPECT_EQ(other.pixel(1, 1), qRgb(0, 0, 0));
}

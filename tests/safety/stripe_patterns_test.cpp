// Regular stripes found where they are, and not in pictures without them.

#include "safety/stripe_patterns.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <random>

using namespace mirelta;

namespace {

const QSize kScreen(1024, 768);

QImage black() {
    QImage image(kScreen, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// One-pixel lines `spacing` apart, across the left `width` pixels.
QImage verticalLines(int width, int spacing, const QColor& line, const QColor& ground) {
    QImage image(kScreen, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    painter.setPen(line);
    for (int x = 3; x < width; x += spacing) {
        painter.drawLine(x, 0, x, kScreen.height() - 1);
    }
    return image;
}

} // namespace

TEST(StripePatterns, LinesOverMuchOfTheScreenAreFound) {
    // 409 pixels of lines: six whole blocks of 64 of every sixteen.
    EXPECT_DOUBLE_EQ(stripedShare(verticalLines(409, 10, Qt::white, Qt::black)), 6.0 / 16);
    // Dense lines: the block where they end holds enough of them too.
    EXPECT_DOUBLE_EQ(stripedShare(verticalLines(409, 3, Qt::green, Qt::blue)), 7.0 / 16);
    // Lines the other way, over the whole screen.
    QImage across = black();
    QPainter painter(&across);
    painter.setPen(Qt::red);
    for (int y = 0; y < 768; y += 8) {
        painter.drawLine(0, y, 1023, y);
    }
    painter.end();
    EXPECT_DOUBLE_EQ(stripedShare(across), 1.0);
}

TEST(StripePatterns, ConcentricRingsAroundAPanelAreStripes) {
    // One-pixel rings ten pixels apart around a 425 x 425 panel, as a session draws them.
    QImage image = black();
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0));
    for (int offset = 0; offset < 512; offset += 10) {
        painter.drawRect(299 - offset, 171 - offset, 425 + 2 * offset, 425 + 2 * offset);
    }
    painter.fillRect(299, 171, 425, 425, Qt::darkCyan);
    EXPECT_GT(stripedShare(image), 0.5);
}

TEST(StripePatterns, NoStripesWhereThereAreNone) {
    EXPECT_EQ(stripedShare(black()), 0.0);
    // Lines too faint to see apart.
    EXPECT_EQ(stripedShare(verticalLines(1024, 10, QColor(40, 40, 40), QColor(30, 30, 30))), 0.0);
    // Too few stripes in a block.
    EXPECT_EQ(stripedShare(verticalLines(1024, 14, Qt::white, Qt::black)), 0.0);
    // Lines at uneven spacings.
    QImage uneven = black();
    QPainter painter(&uneven);
    painter.setPen(Qt::white);
    std::mt19937 random(3);
    for (int x = 0; x < 1024; x += 2 + static_cast<int>(random() % 12)) {
        painter.drawLine(x, 0, x, 767);
    }
    painter.end();
    EXPECT_LT(stripedShare(uneven), 0.1);
    // A smooth gradient.
    QImage gradient(kScreen, QImage::Format_RGB32);
    for (int x = 0; x < 1024; ++x) {
        QPainter(&gradient).fillRect(x, 0, 1, 768, QColor(x / 4, x / 4, x / 4));
    }
    EXPECT_EQ(stripedShare(gradient), 0.0);
    EXPECT_EQ(stripedShare(QImage()), 0.0);
}

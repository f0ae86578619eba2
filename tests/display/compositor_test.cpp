#include "display/compositor.h"
#include "display/glyph_strips.h"
#include "display/panel_scene.h"

#include <gtest/gtest.h>

using namespace mirelta;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;

// A strip whose frame k has the top-left quarter (21 x 21) in colour k, white elsewhere.
GlyphStrip quarterStrip() {
    QImage image(210, 42, QImage::Format_RGB32);
    image.fill(kWhite);
    const QRgb colours[] = {0xFF000000, 0xFF00FF00, kRed, 0xFF0000FF, 0xFF808080};
    for (int frame = 0; frame < 5; ++frame) {
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                image.setPixel(42 * frame + x, y, colours[frame]);
            }
        }
    }
    return GlyphStrip(image);
}

QImage background(QRgb fill, QRgb key) {
    QImage image(425, 425, QImage::Format_BGR888);
    image.fill(QColor::fromRgb(fill));
    image.setPixel(0, 424, key);
    image.setPixel(200, 100, key);
    return image;
}

QImage compose(const PanelScene& scene) {
    QImage frame;
    composePanel(scene, frame);
    return frame;
}

} // namespace

TEST(Compositor, TheBackgroundLeavesOutItsBottomLeftColour) {
    PanelScene scene;
    scene.background().picture = background(0xFF336699, 0xFF010203);
    const QImage frame = compose(scene);
    EXPECT_EQ(frame.pixel(5, 5), 0xFF336699u);
    EXPECT_EQ(frame.pixel(200, 100), scene.faceColour());
    EXPECT_EQ(frame.pixel(0, 424), scene.faceColour());
    // A change of the bottom-left pixel changes what is left out.
    scene.background().picture.setPixel(0, 424, 0xFF336699);
    const QImage after = compose(scene);
    EXPECT_EQ(after.pixel(5, 5), scene.faceColour());
    EXPECT_EQ(after.pixel(200, 100), 0xFF010203u);
}

TEST(Compositor, ASmallerBackgroundIsStretchedOverThePanel) {
    PanelScene scene;
    QImage small(85, 85, QImage::Format_BGR888);
    small.fill(Qt::black);
    small.setPixel(0, 0, 0xFF00FF00);
    small.setPixel(84, 84, 0xFF0000FF);
    scene.background().picture = small; // bottom-left is black: black is left out
    const QImage frame = compose(scene);
    EXPECT_EQ(frame.pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(frame.pixel(4, 4), 0xFF00FF00u); // 5 x 5 block per source pixel
    EXPECT_EQ(frame.pixel(5, 5), scene.faceColour());
    EXPECT_EQ(frame.pixel(424, 424), 0xFF0000FFu);
}

TEST(Compositor, CellsDrawTheirFrameLeavingOutWhite) {
    const GlyphStrip strip = quarterStrip();
    PanelScene scene;
    scene.background().picture = background(0xFF123456, 0xFF000001);
    GlyphCell& cell = scene.gridCell(1);
    cell.setStrip(&strip);
    cell.setFrame(2);
    cell.setVisible(true);
    const QImage frame = compose(scene);
    EXPECT_EQ(frame.pixel(3, 24), kRed);
    EXPECT_EQ(frame.pixel(3 + 20, 24 + 20), kRed);
    EXPECT_EQ(frame.pixel(3 + 21, 24 + 21), 0xFF123456u); // white: the background shows
    EXPECT_EQ(frame.pixel(2, 24), 0xFF123456u);
}

TEST(Compositor, TheBigLetterIsStretchedToEachOfItsSizes) {
    const GlyphStrip strip = quarterStrip();
    for (const int size : {84, 126, 168}) {
        PanelScene scene;
        const int left = size == 84 ? 171 : size == 126 ? 151 : 131;
        GlyphCell& b = scene.big();
        b.setGeometry(QRect(left, left, size, size));
        b.setStrip(&strip);
        b.setFrame(2);
        b.setVisible(true);
        const QImage frame = compose(scene);
        const int quarter = size / 2;
        EXPECT_EQ(frame.pixel(left, left), kRed) << size;
        EXPECT_EQ(frame.pixel(left + quarter - 1, left + quarter - 1), kRed) << size;
        EXPECT_EQ(frame.pixel(left + quarter, left + quarter - 1), scene.faceColour()) << size;
        EXPECT_EQ(frame.pixel(left + quarter - 1, left + quarter), scene.faceColour()) << size;
        EXPECT_EQ(frame.pixel(left - 1, left), scene.faceColour()) << size;
    }
}

TEST(Compositor, HiddenAndEmptyCellsDrawNothing) {
    const GlyphStrip strip = quarterStrip();
    PanelScene scene;
    const QImage empty = compose(scene);
    scene.gridCell(1).setStrip(&strip); // loaded, hidden
    scene.gridCell(2).setVisible(true); // shown, empty
    scene.rowCell(1).setStrip(&strip);
    EXPECT_EQ(compose(scene), empty);
}

TEST(Compositor, ElementsStackAndCanBeBroughtForwardOrBack) {
    const GlyphStrip strip = quarterStrip();
    PanelScene scene;
    // b (frame 2, red) under a5 (frame 1, green) where they overlap.
    scene.big().setStrip(&strip);
    scene.big().setFrame(2);
    scene.big().setVisible(true);
    GlyphCell& a = scene.rowCell(5); // x 171-212, y 192-233
    a.setStrip(&strip);
    a.setFrame(1);
    a.setVisible(true);
    EXPECT_EQ(compose(scene).pixel(175, 195), 0xFF00FF00u);

    // The photo lies on top of everything, the scenario picture below the background.
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(0xFF0000FF);
    scene.photo().setPicture(picture);
    scene.photo().setPosition({170, 190});
    scene.photo().setVisible(true);
    EXPECT_EQ(compose(scene).pixel(175, 195), 0xFF0000FFu);
    EXPECT_EQ(compose(scene).pixel(175, 211), 0xFF00FF00u); // outside the photo
    scene.sendToBack({PanelScene::Kind::Photo});
    EXPECT_EQ(compose(scene).pixel(175, 195), 0xFF00FF00u);

    scene.scenarioPicture().setPicture(picture);
    scene.scenarioPicture().setPosition({0, 0});
    scene.scenarioPicture().setVisible(true);
    scene.background().picture = background(0xFF777777, 0xFF000001);
    EXPECT_EQ(compose(scene).pixel(10, 10), 0xFF777777u);
    scene.bringToFront({PanelScene::Kind::Scenario});
    EXPECT_EQ(compose(scene).pixel(10, 10), 0xFF0000FFu);
    EXPECT_EQ(scene.stacking().back(), PanelScene::Element{PanelScene::Kind::Scenario});
}

TEST(Compositor, APictureInAFixedBoxIsCutToTheBox) {
    PanelScene scene;
    QImage large(600, 500, QImage::Format_RGB32);
    large.fill(0xFF00FF00);
    scene.photo().setPicture(large);
    scene.photo().fixSize({425, 425});
    scene.photo().setVisible(true);
    const QImage frame = compose(scene);
    EXPECT_EQ(frame.pixel(424, 424), 0xFF00FF00u);
    scene.photo().setPosition({100, 100});
    EXPECT_EQ(compose(scene).pixel(99, 99), scene.faceColour());
    EXPECT_EQ(compose(scene).pixel(424, 424), 0xFF00FF00u); // cut to the panel as well
}

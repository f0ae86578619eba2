// The gentle session's limiter: a panel that turns from black to white and back at every state
// reaches the screen with no more flashes in any second than the rules allow, the states held
// back showing the state before them; the rings drawn meanwhile wait for the next state let
// through; the gentle tone keeps every colour within its band.

#include "display/compositor.h"
#include "display/gentle_tone.h"
#include "display/panel_scene.h"
#include "engine/flash_limiter.h"

#include <QImage>
#include <cmath>
#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace mirelta {
namespace {

// What reaches the screen: the panel's middle pixel at every state, and the rings drawn so far.
class SeenScreen : public Screen, public RingCanvas {
public:
    explicit SeenScreen(const PanelScene& scene) : scene_(scene) {}
    void present(Shown, int) override {
        composePanel(scene_, frame_);
        middles.push_back(frame_.pixel(212, 212) & 0xFFFFFFu);
        ringsAtState.push_back(rings);
    }
    void drawRing(const QRect&, std::uint32_t) override { ++rings; }

    std::vector<QRgb> middles;
    std::vector<int> ringsAtState;
    int rings = 0;

private:
    const PanelScene& scene_;
    QImage frame_;
};

void fillBackground(PanelScene& scene, QRgb colour) {
    QImage& picture = scene.background().picture;
    picture = QImage(kPanelSize, kPanelSize, QImage::Format_BGR888);
    picture.fill(colour);
    // Its bottom-left pixel names the colour left out: one pixel of another colour.
    picture.setPixel(0, kPanelSize - 1, qRgb(128, 128, 128));
}

TEST(FlashLimiter, APanelFlashingEveryStateIsHeldToTheAllowedFlashes) {
    PanelScene scene;
    SeenScreen seen(scene);
    FlashLimiter limiter(scene, QSize(1024, 768), seen, seen, nullptr);
    constexpr int kStates = 300; // five seconds of states of one refresh
    for (int state = 0; state < kStates; ++state) {
        fillBackground(scene, state % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        limiter.drawRing(QRect(100, 100, 50, 50), 0x00FFFFFF);
        limiter.present(Shown::Letter, 17);
    }
    ASSERT_EQ(seen.middles.size(), static_cast<std::size_t>(kStates));
    EXPECT_GT(limiter.held(), kStates / 2);
    EXPECT_EQ(limiter.held() + limiter.letThrough(), kStates);
    // Changes of the picture seen within any 60 states (a second at 60 Hz): at most 6, 3 flashes.
    std::deque<int> changes;
    for (std::size_t state = 1; state < seen.middles.size(); ++state) {
        if (seen.middles[state] != seen.middles[state - 1]) {
            changes.push_back(static_cast<int>(state));
        }
        while (!changes.empty() && changes.front() <= static_cast<int>(state) - 60) {
            changes.pop_front();
        }
        EXPECT_LE(changes.size(), 6U) << "at state " << state;
    }
    // Not frozen either: the panel still changes, as often as the rules let it.
    EXPECT_GE(limiter.letThrough(), 5 * 6);
    // A held state showed what was there before it, and its ring waited: rings come only with
    // the states let through, all of them at once.
    for (std::size_t state = 1; state < seen.middles.size(); ++state) {
        if (seen.ringsAtState[state] == seen.ringsAtState[state - 1]) {
            EXPECT_EQ(seen.middles[state], seen.middles[state - 1]) << "at state " << state;
        }
    }
    EXPECT_LE(seen.rings, kStates);
    EXPECT_EQ(seen.rings, seen.ringsAtState.back());
}

TEST(FlashLimiter, AQuietPanelIsNeverHeld) {
    PanelScene scene;
    SeenScreen seen(scene);
    FlashLimiter limiter(scene, QSize(800, 600), seen, seen, nullptr);
    for (int state = 0; state < 200; ++state) {
        fillBackground(scene, qRgb(100 + state % 3, 90, 80));
        limiter.present(state % 5 == 0 ? Shown::Phrase : Shown::Letter, 33);
        limiter.present(Shown::Rest, 0);
    }
    EXPECT_EQ(limiter.held(), 0);
    EXPECT_EQ(seen.middles.size(), 400U);
}

double luminanceOf(QRgb colour) {
    const auto linear = [](int byte) {
        const double v = byte / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

TEST(GentleTone, EveryColourLiesInTheBandWithoutTooMuchRed) {
    double brightest = 0;
    for (int red = 0; red < 256; red += 5) {
        for (int green = 0; green < 256; green += 5) {
            for (int blue = 0; blue < 256; blue += 5) {
                const QRgb toned = gentleColour(qRgb(red, green, blue));
                const double y = luminanceOf(toned);
                brightest = std::max(brightest, y);
                ASSERT_LT(y, 0.1) << red << " " << green << " " << blue;
                const auto linear = [](int byte) {
                    const double v = byte / 255.0;
                    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
                };
                const double r = linear(qRed(toned));
                const double g = linear(qGreen(toned));
                const double b = linear(qBlue(toned));
                ASSERT_LE((r - g - b) * 320, 20) << red << " " << green << " " << blue;
                ASSERT_TRUE(r + g + b == 0 || r < 0.8 * (r + g + b))
                    << red << " " << green << " " << blue;
            }
        }
    }
    // White is the band's top, and the hue is kept: a blue stays blue, a green green.
    EXPECT_GT(brightest, 0.08);
    const QRgb blue = gentleColour(qRgb(0, 0, 255));
    EXPECT_GT(qBlue(blue), qRed(blue) + 20);
    const QRgb green = gentleColour(qRgb(0, 200, 0));
    EXPECT_GT(qGreen(green), qRed(green) + 20);
}

} // namespace
} // namespace mirelta

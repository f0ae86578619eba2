// The main window takes its screen where the platform lets it place itself (the offscreen platform,
// as X11): given the screen's geometry as it asks for the state. Wayland, where it may not, is
// covered by the test on a Weston compositor (tests/e2e/wayland_session.sh).

#include "platform/desktop/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

using namespace mirelta;

TEST(WindowPlacementTest, FullScreenCoversAllOfTheScreen) {
    ASSERT_TRUE(windowsPlaceThemselves());
    QWidget window;
    showMaximizedOnItsScreen(window);
    EXPECT_TRUE(window.isMaximized());
    window.setWindowFlag(Qt::FramelessWindowHint, true);
    showFullScreenOnItsScreen(window);
    ASSERT_NE(window.screen(), nullptr);
    EXPECT_TRUE(window.isFullScreen());
    EXPECT_EQ(window.geometry(), window.screen()->geometry());
}

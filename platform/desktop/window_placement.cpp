#include "platform/desktop/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mirelta {

bool windowsPlaceThemselves() {
    // Qt's Wayland platforms are all called "wayland" or "wayland-…" (wayland-egl, for one).
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void showMaximizedOnItsScreen(QWidget& window) {
    if (QScreen* screen = window.screen(); screen != nullptr && windowsPlaceThemselves()) {
        window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
}

void showFullScreenOnItsScreen(QWidget& window) {
    if (QScreen* screen = window.screen(); screen != nullptr && windowsPlaceThemselves()) {
        window.setGeometry(screen->geometry());
    }
    window.showFullScreen();
}

} // namespace mirelta

#pragma once
// How the main window takes its screen. Where the program may place its own windows (X11, the
// offscreen platform of the tests), it gives the window the screen's geometry before asking for the
// state, so that the window shows at that size at once, whatever the window manager does with the
// state. A Wayland client can neither place its window nor size it against a screen it is not
// told of: there it asks for the state alone, and the compositor sends the size.

class QWidget;

namespace mirelta {

// Whether the platform lets a window place itself on the screen.
bool windowsPlaceThemselves();

// Maximised on its screen: all of it but the desktop's panels.
void showMaximizedOnItsScreen(QWidget& window);

// Full screen on its screen: all of it.
void showFullScreenOnItsScreen(QWidget& window);

} // namespace mirelta

#pragma once
// The whole screen of an X server as a picture, read back from its root window.

#include <QImage>
#include <QString>

namespace mirelta::screencheck {

// The root window of the display named by DISPLAY, or a null picture with the reason in `error`.
QImage grabScreen(QString& error);

} // namespace mirelta::screencheck

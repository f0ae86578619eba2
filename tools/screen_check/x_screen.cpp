#include "tools/screen_check/x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <bit>
#include <cstdint>

namespace mirelta::screencheck {

namespace {

// One channel of a visual's pixel taken to 0-255, whatever its width.
int channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const unsigned long maximum = mask >> std::countr_zero(mask);
    const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
    return static_cast<int>(value * 255 / maximum);
}

} // namespace

QImage grabScreen(QString& error) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        error = QStringLiteral("cannot open the display named by DISPLAY");
        return {};
    }
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        XCloseDisplay(display);
        error = QStringLiteral("the server refused to read back its screen");
        return {};
    }
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            row[x] = qRgb(channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                          channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return picture;
}

} // namespace mirelta::screencheck

#include "tools/frame_watch/window_finder.h"

#include <X11/Xatom.h>
#include <cstring>
#include <utility>
#include <vector>

namespace mirelta::framewatch {

WindowFinder::WindowFinder(Display* display, std::optional<pid_t> pid,
                           std::optional<std::string> name)
    : display_(display), pid_(pid), name_(std::move(name)),
      pidAtom_(XInternAtom(display, "_NET_WM_PID", False)),
      nameAtom_(XInternAtom(display, "_NET_WM_NAME", False)),
      utf8Atom_(XInternAtom(display, "UTF8_STRING", False)) {}

std::optional<Window> WindowFinder::find() const {
    std::optional<Window> best;
    long bestArea = -1;
    search(DefaultRootWindow(display_), best, bestArea);
    return best;
}

void WindowFinder::search(Window parent, std::optional<Window>& best, long& bestArea) const {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, parent, &root, &parentOfParent, &children, &count) == 0) {
        return;
    }
    const std::vector<Window> list(children, children + count);
    if (children != nullptr) {
        XFree(children);
    }
    for (const Window child : list) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, child, &attributes) == 0 ||
            attributes.map_state != IsViewable) {
            continue;
        }
        const long area = long(attributes.width) * attributes.height;
        if (attributes.c_class == InputOutput && area > bestArea && matches(child)) {
            best = child;
            bestArea = area;
        }
        search(child, best, bestArea);
    }
}

bool WindowFinder::matches(Window window) const {
    if (pid_) {
        const std::optional<long> owner = cardinal(window, pidAtom_);
        return owner && *owner == *pid_;
    }
    return title(window).find(*name_) != std::string::npos;
}

std::optional<long> WindowFinder::cardinal(Window window, Atom property) const {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<long> value;
    if (XGetWindowProperty(display_, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && items == 1) {
            long number = 0;
            std::memcpy(&number, data, sizeof number);
            value = number;
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

std::string WindowFinder::title(Window window) const {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display_, window, nameAtom_, 0, 1024, False, utf8Atom_, &type, &format,
                           &items, &after, &data) == Success &&
        data != nullptr && format == 8) {
        text.assign(reinterpret_cast<const char*>(data), items);
    }
    if (data != nullptr) {
        XFree(data);
    }
    if (text.empty()) {
        char* plain = nullptr;
        if (XFetchName(display_, window, &plain) != 0 && plain != nullptr) {
            text = plain;
            XFree(plain);
        }
    }
    return text;
}

} // namespace mirelta::framewatch

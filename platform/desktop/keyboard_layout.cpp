#include "platform/desktop/keyboard_layout.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace mirelta {

bool activateRussianLayout() {
    // Only an X11 session has layout groups the program can switch between; elsewhere (Wayland,
    // the offscreen platform of the tests) the desktop keeps the choice.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return false;
    }
    XkbDescPtr keyboard = XkbAllocKeyboard();
    if (keyboard == nullptr) {
        return false;
    }
    bool switched = false;
    if (XkbGetNames(display, XkbGroupNamesMask, keyboard) == Success && keyboard->names) {
        for (int group = 0; group < XkbNumKbdGroups && !switched; ++group) {
            const Atom atom = keyboard->names->groups[group];
            char* name = atom != None ? XGetAtomName(display, atom) : nullptr;
            if (name != nullptr && QByteArray(name).startsWith("Russian")) {
                switched = XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
                XFlush(display);
            }
            if (name != nullptr) {
                XFree(name);
            }
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return switched;
}

} // namespace mirelta

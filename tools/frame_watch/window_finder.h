#pragma once
// Finds the program's window by the process that owns it or by its title: a walk through the
// whole window tree that reads each window's properties, kept out of the watch so that it reads
// as what is done with a window once there is one. When to look, how long to wait, and whether to
// follow a replacement are the watch's to decide; this only says which window matches now.

#include <X11/Xlib.h>
#include <optional>
#include <string>
#include <sys/types.h>

namespace mirelta::framewatch {

class WindowFinder {
public:
    // Exactly one of `pid` and `name` is given: a window matches when its _NET_WM_PID is `pid`, or
    // when its title contains `name`.
    WindowFinder(Display* display, std::optional<pid_t> pid, std::optional<std::string> name);

    // The largest mapped window that matches, searched through the whole tree so that a window
    // manager's frames around it do not hide it.
    std::optional<Window> find() const;

private:
    void search(Window parent, std::optional<Window>& best, long& bestArea) const;
    bool matches(Window window) const;
    std::optional<long> cardinal(Window window, Atom property) const;
    std::string title(Window window) const;

    Display* display_;
    std::optional<pid_t> pid_;
    std::optional<std::string> name_;
    Atom pidAtom_;
    Atom nameAtom_;
    Atom utf8Atom_;
};

} // namespace mirelta::framewatch

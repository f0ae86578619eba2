// mirelta-frame-watch: counts the panel frames that reach the X server from the program's window
// and the checksum of each as the server holds it.
//
//   mirelta-frame-watch (--pid PID | --window ID | --name TEXT) [--panel X,Y,W,H] [--output FILE]
//                       [--wait SECONDS] [--rects]
//
// The window is the largest mapped one whose _NET_WM_PID is PID or whose title contains TEXT, or
// the window ID (decimal or 0x hexadecimal). The panel is X,Y,W,H in window coordinates, or the
// 425 × 425 square centred in the window as the program places it (followed when the window
// changes size). Every damage rectangle the server reports for the window that covers the whole
// panel is one frame: the panel's pixels are read back at once and one line is written,
//
//   <milliseconds since the first frame, 3 decimals> <CRC-32 of the pixels as R,G,B bytes>
//
// with a third word when the checksum is not that frame's own: "overtaken" when a newer frame
// had already reached the panel before the read-back (the checksum is of a later picture), and
// "unread" when the server refused the read-back (the window was no longer mapped).
//
// It ends when the window is destroyed, or on SIGTERM or SIGINT, and then writes a summary line to
// standard error. A window found by PID or title that is destroyed and replaced by another within
// 1.5 s is followed to the new one. Exits 1 when no window turns up within --wait seconds (10 by
// default), 2 on a usage error.

#include "tools/frame_watch/panel_frames.h"
#include "tools/frame_watch/panel_readback.h"
#include "tools/frame_watch/window_finder.h"
#include "tools/frame_watch/x_errors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace mirelta::framewatch;
using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// When the server itself goes, Xlib ends the process: the figures so far are still written.
std::function<void()> atConnectionLoss;

int connectionLost(Display*) {
    if (atConnectionLoss) {
        atConnectionLoss();
    }
    return 0;
}

struct Options {
    std::optional<pid_t> pid;
    std::optional<Window> window;
    std::optional<std::string> name;
    std::optional<Box> panel;
    std::string output;
    double waitSeconds = 10;
    bool rects = false;
};

std::optional<long> parseNumber(const char* text, int base) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, base);
    if (errno != 0 || end == text || *end != '\0' || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--rects") {
            options.rects = true;
            continue;
        }
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const char* value = argv[++i];
        if (arg == "--pid") {
            const auto pid = parseNumber(value, 10);
            if (!pid || *pid == 0) {
                return std::nullopt;
            }
            options.pid = static_cast<pid_t>(*pid);
        } else if (arg == "--window") {
            const auto id = parseNumber(value, 0);
            if (!id || *id == 0) {
                return std::nullopt;
            }
            options.window = static_cast<Window>(*id);
        } else if (arg == "--name") {
            options.name = value;
        } else if (arg == "--panel") {
            options.panel = parseBox(value);
            if (!options.panel) {
                return std::nullopt;
            }
        } else if (arg == "--output") {
            options.output = value;
        } else if (arg == "--wait") {
            const auto seconds = parseNumber(value, 10);
            if (!seconds) {
                return std::nullopt;
            }
            options.waitSeconds = static_cast<double>(*seconds);
        } else {
            return std::nullopt;
        }
    }
    const int ways = int(options.pid.has_value()) + int(options.window.has_value()) +
                     int(options.name.has_value());
    if (ways != 1) {
        return std::nullopt;
    }
    return options;
}

class Watch {
public:
    Watch(Display* display, const Options& options, std::FILE* out, int damageEvent)
        : display_(display), options_(options), finder_(display, options.pid, options.name),
          readback_(display), out_(out), damageEvent_(damageEvent) {}

    // Waits for the window, then counts until it is gone or a stop is asked for.
    int run() {
        if (!attachWithin(std::chrono::duration<double>(options_.waitSeconds))) {
            std::fprintf(stderr, "mirelta-frame-watch: no window to watch\n");
            return 1;
        }
        const int connection = ConnectionNumber(display_);
        while (stopRequested == 0) {
            if (XPending(display_) == 0) {
                pollfd readable{connection, POLLIN, 0};
                // A signal interrupts the wait; the timeout only covers one that came just before.
                poll(&readable, 1, 200);
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damageEvent_) {
                damaged(*reinterpret_cast<const XDamageNotifyEvent*>(&event));
            } else if (event.type == ConfigureNotify && event.xconfigure.window == window_) {
                resized(event.xconfigure.width, event.xconfigure.height);
            } else if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
                window_ = 0;
                if (!follow()) {
                    break;
                }
            }
        }
        summarise();
        return 0;
    }

    void summarise() const {
        std::fflush(out_);
        const double seconds =
            first_ ? std::chrono::duration<double>(last_ - *first_).count() : 0.0;
        std::fprintf(stderr,
                     "mirelta-frame-watch: %ld frames of the panel %d,%d %dx%d in %.3f s "
                     "(%ld read back after a newer frame, %ld unread); %ld other damage "
                     "rectangles, %ld of them over part of the panel\n",
                     frames_, panel_.x, panel_.y, panel_.width, panel_.height, seconds, overtaken_,
                     unread_, others_, partial_);
    }

private:
    bool attachWithin(std::chrono::duration<double> limit) {
        const auto until = Clock::now() + limit;
        do {
            const std::optional<Window> window =
                options_.window ? std::optional<Window>(*options_.window) : finder_.find();
            if (window && attach(*window)) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (Clock::now() < until && stopRequested == 0);
        return false;
    }

    bool attach(Window window) {
        lastXError = 0;
        XSelectInput(display_, window, StructureNotifyMask);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, window, &attributes) == 0) {
            return false;
        }
        createSerial_ = NextRequest(display_);
        const Damage damage = XDamageCreate(display_, window, XDamageReportRawRectangles);
        XSync(display_, False);
        if (lastXError != 0) {
            return false;
        }
        window_ = window;
        damage_ = damage;
        attachReportSeen_ = false;
        readback_.useVisual(attributes.visual, attributes.depth);
        resized(attributes.width, attributes.height);
        // Whoever drives the window may wait for this line before it starts drawing.
        std::fprintf(stderr, "mirelta-frame-watch: watching window 0x%lx, %dx%d\n", window,
                     attributes.width, attributes.height);
        return true;
    }

    // A window found by process or title may be rebuilt under the same owner: look for its
    // successor for a moment before calling the watch over. One named by id is not replaced.
    bool follow() {
        if (options_.window) {
            return false;
        }
        const auto until = Clock::now() + std::chrono::milliseconds(1500);
        while (Clock::now() < until && stopRequested == 0) {
            if (options_.pid && kill(*options_.pid, 0) != 0 && errno == ESRCH) {
                return false;
            }
            const std::optional<Window> window = finder_.find();
            if (window && attach(*window)) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    void resized(int width, int height) {
        windowWidth_ = width;
        windowHeight_ = height;
        panel_ = options_.panel ? *options_.panel : centredPanel(width, height);
    }

    void damaged(const XDamageNotifyEvent& event) {
        // Reports still queued from a window that has gone are not about the one watched now.
        if (event.damage != damage_) {
            return;
        }
        const auto now = Clock::now();
        const Box area{event.area.x, event.area.y, event.area.width, event.area.height};
        // Creating the damage object reports the whole visible window once, as if it had all
        // just been drawn: that is the watch starting, not a picture the window was sent.
        if (event.serial == createSerial_ && area == Box{0, 0, windowWidth_, windowHeight_} &&
            !attachReportSeen_) {
            attachReportSeen_ = true;
            return;
        }
        attachReportSeen_ = true;
        const bool frame = area.contains(panel_);
        if (options_.rects) {
            std::fprintf(stderr, "damage %d,%d %dx%d serial %lu%s\n", area.x, area.y, area.width,
                         area.height, event.serial, frame ? " frame" : "");
        }
        if (!frame) {
            ++others_;
            if (area.overlaps(panel_)) {
                ++partial_;
            }
            return;
        }
        ++frames_;
        if (!first_) {
            first_ = now;
        }
        last_ = now;
        const double milliseconds =
            std::chrono::duration<double, std::milli>(now - *first_).count();
        const std::optional<std::uint32_t> checksum = readBack();
        if (!checksum) {
            ++unread_;
            std::fprintf(out_, "%.3f %s unread\n", milliseconds, checksumText(0).c_str());
            return;
        }
        const bool overtaken = readback_.overtaken(damageEvent_, damage_, panel_);
        if (overtaken) {
            ++overtaken_;
        }
        std::fprintf(out_, "%.3f %s%s\n", milliseconds, checksumText(*checksum).c_str(),
                     overtaken ? " overtaken" : "");
    }

    // The panel's pixels as the server holds them now.
    std::optional<std::uint32_t> readBack() {
        if (panel_.x + panel_.width > windowWidth_ || panel_.y + panel_.height > windowHeight_) {
            return std::nullopt;
        }
        return readback_.checksum(window_, panel_);
    }

    Display* display_;
    const Options& options_;
    WindowFinder finder_;
    PanelReadback readback_;
    std::FILE* out_;
    int damageEvent_;
    Window window_ = 0;
    Damage damage_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    Box panel_;
    unsigned long createSerial_ = 0;
    bool attachReportSeen_ = false;
    std::optional<Clock::time_point> first_;
    Clock::time_point last_;
    long frames_ = 0;
    long overtaken_ = 0;
    long unread_ = 0;
    long others_ = 0;
    long partial_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: mirelta-frame-watch (--pid PID | --window ID | --name TEXT)\n"
                     "         [--panel X,Y,W,H] [--output FILE] [--wait SECONDS] [--rects]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mirelta-frame-watch: cannot open the display\n");
        return 1;
    }
    int damageEventBase = 0;
    int damageErrorBase = 0;
    if (XDamageQueryExtension(display, &damageEventBase, &damageErrorBase) == 0) {
        std::fprintf(stderr, "mirelta-frame-watch: the X server has no DAMAGE extension\n");
        return 1;
    }
    int major = 1;
    int minor = 1;
    XDamageQueryVersion(display, &major, &minor);
    XSetErrorHandler(noteXError);

    std::FILE* out = stdout;
    if (!options->output.empty()) {
        out = std::fopen(options->output.c_str(), "w");
        if (out == nullptr) {
            std::fprintf(stderr, "mirelta-frame-watch: cannot write %s: %s\n",
                         options->output.c_str(), std::strerror(errno));
            return 1;
        }
    }
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);

    int result = 0;
    {
        Watch watch(display, *options, out, damageEventBase + XDamageNotify);
        atConnectionLoss = [&watch] { watch.summarise(); };
        XSetIOErrorHandler(connectionLost);
        result = watch.run();
        atConnectionLoss = nullptr;
    }
    if (out != stdout) {
        std::fclose(out);
    }
    XCloseDisplay(display);
    return result;
}

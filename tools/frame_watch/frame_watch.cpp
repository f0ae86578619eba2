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

#include "panel_frames.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace mirelta::framewatch;
using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// Requests on a window that has just gone fail; the watch carries on and notices the destruction
// from its event instead.
int lastXError = 0;

int noteXError(Display*, XErrorEvent* error) {
    lastXError = error->error_code;
    return 0;
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

// The program's mapped windows, found by the process that owns them or by their title.
class WindowFinder {
public:
    WindowFinder(Display* display, const Options& options)
        : display_(display), pid_(options.pid), name_(options.name),
          pidAtom_(XInternAtom(display, "_NET_WM_PID", False)),
          nameAtom_(XInternAtom(display, "_NET_WM_NAME", False)),
          utf8Atom_(XInternAtom(display, "UTF8_STRING", False)) {}

    // The largest mapped window that matches, searched through the whole tree so that a window
    // manager's frames around it do not hide it.
    std::optional<Window> find() const {
        std::optional<Window> best;
        long bestArea = -1;
        search(DefaultRootWindow(display_), best, bestArea);
        return best;
    }

private:
    void search(Window parent, std::optional<Window>& best, long& bestArea) const {
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

    bool matches(Window window) const {
        if (pid_) {
            const std::optional<long> owner = cardinal(window, pidAtom_);
            return owner && *owner == *pid_;
        }
        return title(window).find(*name_) != std::string::npos;
    }

    std::optional<long> cardinal(Window window, Atom property) const {
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

    std::string title(Window window) const {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::string text;
        if (XGetWindowProperty(display_, window, nameAtom_, 0, 1024, False, utf8Atom_, &type,
                               &format, &items, &after, &data) == Success &&
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

    Display* display_;
    std::optional<pid_t> pid_;
    std::optional<std::string> name_;
    Atom pidAtom_;
    Atom nameAtom_;
    Atom utf8Atom_;
};

// What the queue scan after a read-back looks for: a damage report for the panel that the server
// made before it answered the read-back.
struct NewerFrame {
    int damageEvent = 0;
    Damage damage = 0;
    Box panel;
    unsigned long readBackSerial = 0;
    bool found = false;
};

Bool spotNewerFrame(Display*, XEvent* event, XPointer argument) {
    auto* newer = reinterpret_cast<NewerFrame*>(argument);
    if (event->type == newer->damageEvent) {
        const auto* damage = reinterpret_cast<const XDamageNotifyEvent*>(event);
        const Box area{damage->area.x, damage->area.y, damage->area.width, damage->area.height};
        // An event's serial is the last of our requests the server had handled when it made it.
        if (damage->damage == newer->damage && damage->serial < newer->readBackSerial &&
            area.contains(newer->panel)) {
            newer->found = true;
        }
    }
    return False; // only looked at: every event stays queued
}

int nativeByteOrder() {
    const std::uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1 ? LSBFirst : MSBFirst;
}

std::uint32_t imageChecksum(XImage& image) {
    const PixelLayout layout{static_cast<std::uint32_t>(image.red_mask),
                             static_cast<std::uint32_t>(image.green_mask),
                             static_cast<std::uint32_t>(image.blue_mask)};
    if (image.bits_per_pixel == 32 && image.byte_order == nativeByteOrder()) {
        return pictureChecksum(reinterpret_cast<const std::uint32_t*>(image.data), image.width,
                               image.height, static_cast<std::size_t>(image.bytes_per_line) / 4,
                               layout);
    }
    // Any other layout goes through Xlib's own pixel access, slowly but right.
    const auto width = static_cast<std::size_t>(image.width);
    std::vector<std::uint32_t> pixels(width * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            pixels[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>(XGetPixel(&image, x, y));
        }
    }
    return pictureChecksum(pixels.data(), image.width, image.height, width, layout);
}

// An image in memory shared with the server: a read-back then costs one request and no copy
// through the connection, which keeps the watch well within a refresh of each frame. Absent when
// the server cannot share memory with us (another machine, no MIT-SHM).
class SharedImage {
public:
    static std::unique_ptr<SharedImage> make(Display* display, Visual* visual, int depth,
                                             const Box& box) {
        if (XShmQueryExtension(display) == 0) {
            return nullptr;
        }
        auto shared = std::unique_ptr<SharedImage>(new SharedImage(display));
        shared->image_ = XShmCreateImage(
            display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shared->segment_,
            static_cast<unsigned>(box.width), static_cast<unsigned>(box.height));
        if (shared->image_ == nullptr) {
            return nullptr;
        }
        const auto bytes = static_cast<std::size_t>(shared->image_->bytes_per_line) *
                           static_cast<std::size_t>(box.height);
        shared->segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (shared->segment_.shmid < 0) {
            return nullptr;
        }
        void* memory = shmat(shared->segment_.shmid, nullptr, 0);
        // Marked for removal at once: the segment goes with the last detach, however we end.
        shmctl(shared->segment_.shmid, IPC_RMID, nullptr);
        if (reinterpret_cast<std::intptr_t>(memory) == -1) {
            return nullptr;
        }
        shared->segment_.shmaddr = static_cast<char*>(memory);
        shared->image_->data = shared->segment_.shmaddr;
        shared->segment_.readOnly = False;
        lastXError = 0;
        XShmAttach(display, &shared->segment_);
        XSync(display, False);
        if (lastXError != 0) {
            return nullptr;
        }
        shared->attached_ = true;
        shared->width_ = box.width;
        shared->height_ = box.height;
        return shared;
    }

    ~SharedImage() {
        if (attached_) {
            XShmDetach(display_, &segment_);
            XSync(display_, False);
        }
        if (image_ != nullptr) {
            image_->data = nullptr; // the segment is not Xlib's to free
            XDestroyImage(image_);
        }
        if (segment_.shmaddr != nullptr) {
            shmdt(segment_.shmaddr);
        }
    }

    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    bool fits(const Box& box) const { return box.width == width_ && box.height == height_; }
    XImage* image() { return image_; }

private:
    explicit SharedImage(Display* display) : display_(display) {}

    Display* display_;
    XShmSegmentInfo segment_{};
    XImage* image_ = nullptr;
    bool attached_ = false;
    int width_ = 0;
    int height_ = 0;
};

class Watch {
public:
    Watch(Display* display, const Options& options, std::FILE* out, int damageEvent)
        : display_(display), options_(options), finder_(display, options), out_(out),
          damageEvent_(damageEvent) {}

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
        if (visual_ != attributes.visual || depth_ != attributes.depth) {
            shared_.reset();
        }
        visual_ = attributes.visual;
        depth_ = attributes.depth;
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
        NewerFrame newer{damageEvent_, damage_, panel_, readBackSerial_};
        XEvent ignored;
        XCheckIfEvent(display_, &ignored, spotNewerFrame, reinterpret_cast<XPointer>(&newer));
        if (newer.found) {
            ++overtaken_;
        }
        std::fprintf(out_, "%.3f %s%s\n", milliseconds, checksumText(*checksum).c_str(),
                     newer.found ? " overtaken" : "");
    }

    // The panel's pixels as the server holds them now.
    std::optional<std::uint32_t> readBack() {
        if (panel_.x + panel_.width > windowWidth_ || panel_.y + panel_.height > windowHeight_) {
            return std::nullopt;
        }
        if (!shared_ || !shared_->fits(panel_)) {
            shared_ = SharedImage::make(display_, visual_, depth_, panel_);
        }
        lastXError = 0;
        readBackSerial_ = NextRequest(display_);
        XImage* copied = nullptr;
        XImage* image = nullptr;
        if (shared_) {
            if (XShmGetImage(display_, window_, shared_->image(), panel_.x, panel_.y, AllPlanes) !=
                0) {
                image = shared_->image();
            }
        } else {
            copied = XGetImage(display_, window_, panel_.x, panel_.y,
                               static_cast<unsigned>(panel_.width),
                               static_cast<unsigned>(panel_.height), AllPlanes, ZPixmap);
            image = copied;
        }
        std::optional<std::uint32_t> checksum;
        if (image != nullptr && lastXError == 0) {
            checksum = imageChecksum(*image);
        }
        if (copied != nullptr) {
            XDestroyImage(copied);
        }
        return checksum;
    }

    Display* display_;
    const Options& options_;
    WindowFinder finder_;
    std::FILE* out_;
    int damageEvent_;
    Window window_ = 0;
    Damage damage_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    Box panel_;
    unsigned long readBackSerial_ = 0;
    unsigned long createSerial_ = 0;
    bool attachReportSeen_ = false;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    std::unique_ptr<SharedImage> shared_;
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

// mirelta-frame-watch-painter: a small X client whose drawing is known in advance, for testing
// mirelta-frame-watch without the program.
//
//   mirelta-frame-watch-painter EXPECTED
//
// It opens a window, says "ready" on standard output and waits for SIGUSR1 (the watch is
// attached), then draws what a session's window receives: whole-panel pictures, ring outlines
// around and on the panel, a picture wider than the panel, the panel in two halves and a fill of
// the whole window. It then destroys the window, opens a second one of another size and does the
// same again with fewer pictures. EXPECTED gets the checksum of the panel after every drawing that
// covers the whole panel at once, one per line, computed from its own copy of the pixels: exactly
// what the watch must write.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <bit>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

constexpr int kPanel = 425;

// The window and a copy of every pixel drawn on it, from which the expected checksums come.
class Canvas {
public:
    Canvas(Display* display, int width, int height)
        : display_(display), width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
          panel_{static_cast<int>(width / 2.0 - kPanel / 2.0),
                 static_cast<int>(height / 2.0 - kPanel / 2.0), kPanel, kPanel} {
        const int screen = DefaultScreen(display);
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = None;
        attributes.event_mask = StructureNotifyMask;
        window_ =
            XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
        const long pid = getpid();
        XChangeProperty(display, window_, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        XStoreName(display, window_, "frame watch painter");
        gc_ = XCreateGC(display, window_, 0, nullptr);
        visual_ = DefaultVisual(display, screen);
        depth_ = DefaultDepth(display, screen);
        XMapWindow(display, window_);
        XEvent event;
        do {
            XNextEvent(display, &event);
        } while (event.type != MapNotify);
    }

    ~Canvas() {
        XFreeGC(display_, gc_);
        XDestroyWindow(display_, window_);
        XSync(display_, False);
    }

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Rect panel() const { return panel_; }
    Rect whole() const { return {0, 0, width_, height_}; }

    // A picture different for every seed, put with one request.
    void picture(const Rect& area, int seed) {
        std::vector<char> data(static_cast<std::size_t>(area.width) *
                               static_cast<std::size_t>(area.height) * 4);
        XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                                     data.data(), static_cast<unsigned>(area.width),
                                     static_cast<unsigned>(area.height), 32, 0);
        for (int y = 0; y < area.height; ++y) {
            for (int x = 0; x < area.width; ++x) {
                const Rgb colour{static_cast<std::uint8_t>(x * 7 + seed * 31),
                                 static_cast<std::uint8_t>(y * 5 + seed * 17),
                                 static_cast<std::uint8_t>(x ^ y ^ (seed * 13))};
                XPutPixel(image, x, y, pixel(colour));
                at(area.x + x, area.y + y) = colour;
            }
        }
        // Xlib cuts a large image into bands of rows, each drawn on its own: put on a pixmap
        // first, the picture reaches the window in one copy, as a toolkit's backing store puts it.
        const Pixmap staging =
            XCreatePixmap(display_, window_, static_cast<unsigned>(area.width),
                          static_cast<unsigned>(area.height), static_cast<unsigned>(depth_));
        XPutImage(display_, staging, gc_, image, 0, 0, 0, 0, static_cast<unsigned>(area.width),
                  static_cast<unsigned>(area.height));
        XCopyArea(display_, staging, window_, gc_, 0, 0, static_cast<unsigned>(area.width),
                  static_cast<unsigned>(area.height), area.x, area.y);
        XFreePixmap(display_, staging);
        image->data = nullptr; // the vector owns the bytes
        XDestroyImage(image);
        finish();
    }

    void fill(const Rect& area, Rgb colour) {
        XSetForeground(display_, gc_, pixel(colour));
        XFillRectangle(display_, window_, gc_, area.x, area.y, static_cast<unsigned>(area.width),
                       static_cast<unsigned>(area.height));
        for (int y = area.y; y < area.y + area.height; ++y) {
            for (int x = area.x; x < area.x + area.width; ++x) {
                at(x, y) = colour;
            }
        }
        finish();
    }

    // A ring's four one-pixel sides, `offset` pixels out from the panel's edge.
    void ring(int offset, Rgb colour) {
        const Rect r{panel_.x - offset, panel_.y - offset, kPanel + 2 * offset,
                     kPanel + 2 * offset};
        fill({r.x, r.y, r.width, 1}, colour);
        fill({r.x, r.y + r.height - 1, r.width, 1}, colour);
        fill({r.x, r.y, 1, r.height}, colour);
        fill({r.x + r.width - 1, r.y, 1, r.height}, colour);
    }

    // The zlib CRC-32 of the panel's pixels as R, G, B bytes, row by row from the top.
    std::uint32_t panelChecksum() {
        uLong crc = crc32(0L, Z_NULL, 0);
        for (int y = panel_.y; y < panel_.y + kPanel; ++y) {
            for (int x = panel_.x; x < panel_.x + kPanel; ++x) {
                const Rgb& colour = at(x, y);
                const Bytef bytes[3] = {colour.red, colour.green, colour.blue};
                crc = crc32(crc, bytes, 3);
            }
        }
        return static_cast<std::uint32_t>(crc);
    }

private:
    Rgb& at(int x, int y) {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }

    unsigned long pixel(Rgb colour) const {
        const auto channel = [](unsigned long mask, std::uint8_t value) {
            const int shift = std::countr_zero(mask);
            const unsigned long maximum = mask >> shift;
            return ((value * maximum / 255) << shift) & mask;
        };
        return channel(visual_->red_mask, colour.red) | channel(visual_->green_mask, colour.green) |
               channel(visual_->blue_mask, colour.blue);
    }

    // Each drawing reaches the server before the next, with a pause the length of a refresh so
    // that the watch reads every picture back before another replaces it.
    void finish() {
        XSync(display_, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    Display* display_;
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    Rect panel_;
    Window window_ = 0;
    GC gc_ = nullptr;
    Visual* visual_ = nullptr;
    int depth_ = 24;
};

void waitForGo(const sigset_t& go) {
    std::printf("ready\n");
    std::fflush(stdout);
    int signal = 0;
    sigwait(&go, &signal);
}

void play(Canvas& canvas, int pictures, std::FILE* expected) {
    const Rect p = canvas.panel();
    const auto frame = [&] { std::fprintf(expected, "%08X\n", canvas.panelChecksum()); };
    for (int seed = 1; seed <= pictures; ++seed) {
        canvas.ring(seed * 10, {static_cast<std::uint8_t>(seed * 40), 200, 30});
        canvas.picture(p, seed);
        frame();
    }
    // The first ring lies on the panel's own edge pixels: changed, but not a new picture.
    canvas.ring(0, {250, 250, 250});
    // One pixel wider on the left, as when a ring's side next to the panel joins its region.
    canvas.picture({p.x - 1, p.y, p.width + 1, p.height}, 40);
    frame();
    canvas.picture({p.x, p.y, p.width, p.height / 2}, 41);
    canvas.picture({p.x, p.y + p.height / 2, p.width, p.height - p.height / 2}, 42);
    canvas.picture(p, 43);
    frame();
    canvas.fill(canvas.whole(), {10, 20, 30});
    frame();
    canvas.picture({p.x - 20, p.y - 30, p.width + 50, p.height + 60}, 44);
    frame();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelta-frame-watch-painter EXPECTED\n");
        return 2;
    }
    std::FILE* expected = std::fopen(argv[1], "w");
    Display* display = XOpenDisplay(nullptr);
    if (expected == nullptr || display == nullptr) {
        std::fprintf(stderr, "mirelta-frame-watch-painter: no file or no display\n");
        return 1;
    }
    sigset_t go;
    sigemptyset(&go);
    sigaddset(&go, SIGUSR1);
    sigprocmask(SIG_BLOCK, &go, nullptr);
    {
        Canvas canvas(display, 1000, 700);
        waitForGo(go);
        play(canvas, 6, expected);
    }
    {
        Canvas canvas(display, 801, 640);
        waitForGo(go);
        play(canvas, 2, expected);
    }
    std::fclose(expected);
    XCloseDisplay(display);
    return 0;
}

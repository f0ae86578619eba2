#include "tools/frame_watch/panel_readback.h"

#include "tools/frame_watch/x_errors.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <cstddef>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <vector>

namespace mirelta::framewatch {

namespace {

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

} // namespace

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

PanelReadback::PanelReadback(Display* display) : display_(display) {}

PanelReadback::~PanelReadback() = default;

void PanelReadback::useVisual(Visual* visual, int depth) {
    if (visual_ != visual || depth_ != depth) {
        shared_.reset();
    }
    visual_ = visual;
    depth_ = depth;
}

std::optional<std::uint32_t> PanelReadback::checksum(Window window, const Box& box) {
    if (!shared_ || !shared_->fits(box)) {
        shared_ = SharedImage::make(display_, visual_, depth_, box);
    }
    lastXError = 0;
    serial_ = NextRequest(display_);
    XImage* copied = nullptr;
    XImage* image = nullptr;
    if (shared_) {
        if (XShmGetImage(display_, window, shared_->image(), box.x, box.y, AllPlanes) != 0) {
            image = shared_->image();
        }
    } else {
        copied = XGetImage(display_, window, box.x, box.y, static_cast<unsigned>(box.width),
                           static_cast<unsigned>(box.height), AllPlanes, ZPixmap);
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

bool PanelReadback::overtaken(int damageEvent, Damage damage, const Box& box) const {
    NewerFrame newer{damageEvent, damage, box, serial_};
    XEvent ignored;
    XCheckIfEvent(display_, &ignored, spotNewerFrame, reinterpret_cast<XPointer>(&newer));
    return newer.found;
}

} // namespace mirelta::framewatch

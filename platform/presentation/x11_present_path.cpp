#include "platform/presentation/present_path.h"
#include "platform/presentation/x11_server.h"

#include <QGuiApplication>
#include <QImage>
#include <QObject>
#include <QWindow>
#include <X11/Xlib.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <qguiapplication_platform.h>
#include <sys/shm.h>
#include <thread>
#include <vector>
#include <xcb/present.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace mirelta {
namespace {

using x11::WindowFormat;

// A picture of the window on the server, which reads it until it says the buffer is idle. Only
// the part a frame updates is put into it: the server copies no other. Where the server shares
// memory with the program, the picture is that memory, written directly.
struct Buffer {
    xcb_pixmap_t pixmap = XCB_NONE;
    bool busy = false;
    std::uint8_t* shared = nullptr;
    xcb_shm_seg_t segment = XCB_NONE;
};

// A connection of its own, read by a thread of its own: Qt's connection is read by Qt, and the
// server's answers must not wait for the window's thread.
class X11PresentPath final : public PresentPath {
public:
    X11PresentPath(xcb_connection_t* connection, xcb_window_t window, WindowFormat format,
                   Refreshed refreshed, PixelTransfer transfer)
        : connection_(connection), window_(window), format_(format),
          refreshed_(std::move(refreshed)),
          presentOpcode_(xcb_get_extension_data(connection, &xcb_present_id)->major_opcode) {
        eventId_ = xcb_generate_id(connection_);
        xcb_present_select_input(connection_, eventId_, window_,
                                 XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY |
                                     XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY);
        gc_ = xcb_generate_id(connection_);
        // The largest request the server takes, less the put request's own words.
        maxPutBytes_ = std::max<std::size_t>(
            4096, std::size_t{4} * xcb_get_maximum_request_length(connection_) - 64);
        sharedPixmaps_ =
            transfer == PixelTransfer::SharedWhereOffered && x11::serverSharesPixmaps(connection_);
        // Two pictures made before the first frame: one the server reads, one the next frame is
        // written to. Making one costs its memory's first touch, which no frame should wait for.
        {
            std::lock_guard lock(mutex_);
            buffers_.reserve(kMaxBuffers);
            addBuffer();
            addBuffer();
        }
        xcb_flush(connection_);
        reader_ = std::thread([this] { read(); });
    }

    ~X11PresentPath() override {
        stopping_ = true;
        // The answer to one more question wakes the reader; an error would, too.
        xcb_present_notify_msc(connection_, window_, 0, 0, 0, 0);
        xcb_flush(connection_);
        reader_.join();
        // The server frees the pictures and lets go of the shared memory with the connection.
        xcb_disconnect(connection_);
        for (const Buffer& buffer : buffers_) {
            if (buffer.shared != nullptr) {
                shmdt(buffer.shared);
            }
        }
    }

    bool available() const override { return true; }
    void request(long) override {} // every presented frame is answered
    void flushRequests() override { xcb_flush(connection_); }
    QSize size() const override { return format_.size; }

    std::vector<PresentationFeedback> collect() override {
        std::lock_guard lock(mutex_);
        std::vector<PresentationFeedback> answers;
        answers.swap(answers_);
        return answers;
    }

    void settle(int milliseconds) override {
        std::unique_lock lock(mutex_);
        answered_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [this] { return owed_ == 0 || broken_; });
    }

    void askForRefresh(std::uint64_t counter) override {
        // Numbered, so that the answer to a question asked again replaces the first one's.
        xcb_present_notify_msc(connection_, window_, ++latestQuestion_, counter, 0, 0);
        xcb_flush(connection_);
    }

    void present(const QImage& window, const QRegion& update, long frame,
                 std::uint64_t counter) override {
        Buffer& buffer = idleBuffer();
        const QRegion area = update & QRect(QPoint(0, 0), format_.size);
        std::vector<xcb_rectangle_t> rects;
        for (const QRect& rect : area) {
            if (buffer.shared != nullptr) {
                copyInto(window, rect, buffer.shared);
            } else {
                put(window, rect, buffer.pixmap);
            }
            rects.push_back({static_cast<std::int16_t>(rect.x()),
                             static_cast<std::int16_t>(rect.y()),
                             static_cast<std::uint16_t>(rect.width()),
                             static_cast<std::uint16_t>(rect.height())});
        }
        const xcb_xfixes_region_t region = xcb_generate_id(connection_);
        xcb_xfixes_create_region(connection_, region, static_cast<std::uint32_t>(rects.size()),
                                 rects.data());
        {
            std::lock_guard lock(mutex_);
            buffer.busy = true;
            ++owed_;
        }
        // Not asynchronous: a frame that comes late waits for the next blank rather than tear.
        xcb_present_pixmap(connection_, window_, buffer.pixmap, static_cast<std::uint32_t>(frame),
                           XCB_NONE, region, 0, 0, XCB_NONE, XCB_NONE, XCB_NONE,
                           XCB_PRESENT_OPTION_NONE, counter, 0, 0, 0, nullptr);
        xcb_xfixes_destroy_region(connection_, region);
        xcb_flush(connection_);
    }

private:
    static constexpr std::size_t kMaxBuffers = 4;

    Buffer& idleBuffer() {
        std::unique_lock lock(mutex_);
        auto idle = [this] {
            return std::find_if(buffers_.begin(), buffers_.end(),
                                [](const Buffer& buffer) { return !buffer.busy; });
        };
        if (idle() == buffers_.end() && buffers_.size() >= kMaxBuffers) {
            // Every picture is still read by the server: it answers within a refresh or two.
            answered_.wait_for(lock, std::chrono::milliseconds(100),
                               [&] { return idle() != buffers_.end() || broken_; });
        }
        if (auto found = idle(); found != buffers_.end()) {
            return *found;
        }
        if (buffers_.size() >= kMaxBuffers) {
            return buffers_.front(); // a server that stopped answering: show what can be shown
        }
        return addBuffer();
    }

    // The caller holds `mutex_`.
    Buffer& addBuffer() {
        Buffer& added = buffers_.emplace_back();
        added.pixmap = xcb_generate_id(connection_);
        const auto width = static_cast<std::uint16_t>(format_.size.width());
        const auto height = static_cast<std::uint16_t>(format_.size.height());
        const std::size_t bytes = std::size_t{4} * width * height;
        if (sharedPixmaps_) {
            added.segment = xcb_generate_id(connection_);
            added.shared = x11::sharePixels(connection_, bytes, added.segment);
        }
        if (added.shared != nullptr) {
            std::memset(added.shared, 0, bytes);
            xcb_shm_create_pixmap(connection_, added.pixmap, window_, width, height, format_.depth,
                                  added.segment, 0);
        } else {
            xcb_create_pixmap(connection_, format_.depth, added.pixmap, window_, width, height);
        }
        if (buffers_.size() == 1) {
            xcb_create_gc(connection_, gc_, added.pixmap, 0, nullptr);
        }
        return added;
    }

    // Writes `rect` of `window` into a shared picture's pixels, rows as wide as the window.
    void copyInto(const QImage& window, const QRect& rect, std::uint8_t* pixels) const {
        if (rect.isEmpty() || window.format() != QImage::Format_RGB32) {
            return;
        }
        const auto stride = static_cast<std::size_t>(format_.size.width()) * 4;
        const auto rowBytes = static_cast<std::size_t>(rect.width()) * 4;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const uchar* from = window.constScanLine(y) + std::ptrdiff_t{4} * rect.left();
            std::memcpy(pixels + stride * static_cast<std::size_t>(y) +
                            4 * static_cast<std::size_t>(rect.left()),
                        from, rowBytes);
        }
    }

    // Puts `rect` of `window` into `pixmap` in as few requests as the server's limit allows.
    void put(const QImage& window, const QRect& rect, xcb_pixmap_t pixmap) {
        if (rect.isEmpty() || window.format() != QImage::Format_RGB32) {
            return;
        }
        const auto rowBytes = static_cast<std::size_t>(rect.width()) * 4;
        const int rowsAtOnce = std::max(1, static_cast<int>(maxPutBytes_ / rowBytes));
        for (int top = rect.top(); top <= rect.bottom(); top += rowsAtOnce) {
            const int rows = std::min(rowsAtOnce, rect.bottom() + 1 - top);
            rowsOut_.resize(rowBytes * static_cast<std::size_t>(rows));
            for (int row = 0; row < rows; ++row) {
                const uchar* from =
                    window.constScanLine(top + row) + std::ptrdiff_t{4} * rect.left();
                std::copy(from, from + rowBytes,
                          rowsOut_.begin() + static_cast<long>(rowBytes) * row);
            }
            xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc_,
                          static_cast<std::uint16_t>(rect.width()),
                          static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(rect.left()),
                          static_cast<std::int16_t>(top), 0, format_.depth,
                          static_cast<std::uint32_t>(rowsOut_.size()), rowsOut_.data());
        }
    }

    void read() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            handle(event);
            std::free(event);
            if (stopping_) {
                break;
            }
        }
        std::lock_guard lock(mutex_);
        broken_ = true;
        answered_.notify_all();
    }

    void handle(const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7F) != XCB_GE_GENERIC) {
            return; // an error of a request made after the window went: the reader stops anyway
        }
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
        if (generic->extension != presentOpcode_) {
            return;
        }
        if (generic->event_type == XCB_PRESENT_EVENT_COMPLETE_NOTIFY) {
            const auto* complete =
                reinterpret_cast<const xcb_present_complete_notify_event_t*>(event);
            const double atMs = static_cast<double>(complete->ust) / 1000.0;
            if (complete->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC) {
                if (!stopping_) {
                    const std::uint64_t counter = complete->msc;
                    const std::uint32_t question = complete->serial;
                    QMetaObject::invokeMethod(
                        &receiver_,
                        [this, counter, atMs, question] {
                            if (question == latestQuestion_) {
                                refreshed_(counter, atMs);
                            }
                        },
                        Qt::QueuedConnection);
                }
                return;
            }
            std::lock_guard lock(mutex_);
            answers_.push_back({.frame = static_cast<long>(complete->serial),
                                .presented = complete->mode != XCB_PRESENT_COMPLETE_MODE_SKIP,
                                .presentedMs = atMs,
                                .refreshMs = 0,
                                .sequence = complete->msc,
                                .flags = complete->mode});
            owed_ = std::max(0L, owed_ - 1);
            answered_.notify_all();
        } else if (generic->event_type == XCB_PRESENT_EVENT_IDLE_NOTIFY) {
            const auto* idle = reinterpret_cast<const xcb_present_idle_notify_event_t*>(event);
            std::lock_guard lock(mutex_);
            for (Buffer& buffer : buffers_) {
                if (buffer.pixmap == idle->pixmap) {
                    buffer.busy = false;
                }
            }
            answered_.notify_all();
        }
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    WindowFormat format_;
    Refreshed refreshed_;
    std::uint8_t presentOpcode_;
    std::uint32_t eventId_ = 0;
    xcb_gcontext_t gc_ = 0;
    std::size_t maxPutBytes_ = 0;
    bool sharedPixmaps_ = false;
    std::vector<std::uint8_t> rowsOut_;
    QObject receiver_;                 // the window's thread: where `refreshed_` runs
    std::uint32_t latestQuestion_ = 0; // the window's thread only
    std::atomic<bool> stopping_ = false;
    std::thread reader_;

    std::mutex mutex_;
    std::condition_variable answered_;
    std::vector<Buffer> buffers_; // the vector grows only on the window's thread
    std::vector<PresentationFeedback> answers_;
    long owed_ = 0;
    bool broken_ = false;
};

} // namespace

std::unique_ptr<PresentPath> presentPathFor(QWindow* window, PresentPath::Refreshed refreshed,
                                            PixelTransfer transfer) {
    if (window == nullptr || QGuiApplication::platformName() != QLatin1String("xcb") ||
        qEnvironmentVariableIntValue("MIRELTA_NO_PRESENT") == 1) {
        return nullptr;
    }
    // The server Qt speaks to, by the name Qt opened it with.
    const char* name = nullptr;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 != nullptr && x11->display() != nullptr) {
        name = DisplayString(x11->display());
    }
    xcb_connection_t* connection = xcb_connect(name, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    std::optional<x11::WindowFormat> format;
    if (x11::hasPresentAndFixes(connection)) {
        format = x11::windowFormat(connection, id);
    }
    if (!format) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<X11PresentPath>(connection, id, *format, std::move(refreshed),
                                            transfer);
}

} // namespace mirelta

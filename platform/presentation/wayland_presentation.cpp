#include "platform/presentation/presentation_feedback.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstring>
#include <ctime>
#include <list>
#include <presentation-time-client-protocol.h>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace mirelta {
namespace {

double clockMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

class Unavailable final : public PresentationFeedbackSource {
public:
    bool available() const override { return false; }
    void request(long) override {}
    std::vector<PresentationFeedback> collect() override { return {}; }
    void flushRequests() override {}
    void settle(int) override {}
};

// Binds wp_presentation on an event queue of its own, so that its answers are dispatched here,
// on the window's thread, whenever Qt's own reading of the connection has brought them in.
class WaylandPresentation final : public PresentationFeedbackSource {
public:
    WaylandPresentation(wl_display* display, wl_surface* surface)
        : display_(display), surface_(surface), queue_(wl_display_create_queue(display)) {
        auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue_);
        registry_ = wl_display_get_registry(wrapped);
        wl_proxy_wrapper_destroy(wrapped);
        wl_registry_add_listener(registry_, &kRegistryListener, this);
        wl_display_roundtrip_queue(display_, queue_);
        if (presentation_ != nullptr) {
            wl_display_roundtrip_queue(display_, queue_); // its clock
        }
    }

    ~WaylandPresentation() override {
        for (Pending& pending : pending_) {
            wp_presentation_feedback_destroy(pending.feedback);
        }
        if (presentation_ != nullptr) {
            wp_presentation_destroy(presentation_);
        }
        wl_registry_destroy(registry_);
        wl_event_queue_destroy(queue_);
    }

    bool available() const override { return presentation_ != nullptr; }

    void request(long frame) override {
        if (presentation_ == nullptr) {
            return;
        }
        pending_.push_back({this, frame, wp_presentation_feedback(presentation_, surface_)});
        Pending& pending = pending_.back();
        wp_presentation_feedback_add_listener(pending.feedback, &kFeedbackListener, &pending);
    }

    std::vector<PresentationFeedback> collect() override {
        if (presentation_ != nullptr) {
            wl_display_dispatch_queue_pending(display_, queue_);
        }
        std::vector<PresentationFeedback> arrived;
        arrived.swap(arrived_);
        return arrived;
    }

    void flushRequests() override { wl_display_flush(display_); }

    void settle(int milliseconds) override {
        const double until = clockMs(CLOCK_MONOTONIC) + milliseconds;
        while (presentation_ != nullptr && !pending_.empty() && clockMs(CLOCK_MONOTONIC) < until) {
            // A round trip answers once the compositor has handled everything sent before it;
            // the feedback of the last frames comes with their refresh, so keep asking.
            wl_display_roundtrip_queue(display_, queue_);
            if (!pending_.empty()) {
                timespec pause{0, 2'000'000};
                nanosleep(&pause, nullptr);
            }
        }
    }

private:
    struct Pending {
        WaylandPresentation* owner;
        long frame;
        struct wp_presentation_feedback* feedback;
    };

    void answered(Pending* pending, PresentationFeedback feedback) {
        feedback.frame = pending->frame;
        arrived_.push_back(feedback);
        wp_presentation_feedback_destroy(pending->feedback);
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (&*it == pending) {
                pending_.erase(it);
                break;
            }
        }
    }

    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t) {
        auto* self = static_cast<WaylandPresentation*>(data);
        if (std::strcmp(interface, wp_presentation_interface.name) == 0 &&
            self->presentation_ == nullptr) {
            self->presentation_ = static_cast<wp_presentation*>(
                wl_registry_bind(registry, name, &wp_presentation_interface, 1));
            wp_presentation_add_listener(self->presentation_, &kPresentationListener, self);
        }
    }
    static void globalRemoved(void*, wl_registry*, std::uint32_t) {}

    static void clockId(void* data, wp_presentation*, std::uint32_t clock) {
        auto* self = static_cast<WaylandPresentation*>(data);
        // The steady clock is CLOCK_MONOTONIC; another clock is brought over by its offset now.
        self->clockOffsetMs_ = clockMs(CLOCK_MONOTONIC) - clockMs(static_cast<clockid_t>(clock));
    }

    static void syncOutput(void*, struct wp_presentation_feedback*, wl_output*) {}

    static void presented(void* data, struct wp_presentation_feedback*, std::uint32_t secondsHigh,
                          std::uint32_t secondsLow, std::uint32_t nanoseconds,
                          std::uint32_t refreshNs, std::uint32_t sequenceHigh,
                          std::uint32_t sequenceLow, std::uint32_t flags) {
        auto* pending = static_cast<Pending*>(data);
        const double seconds =
            static_cast<double>((static_cast<std::uint64_t>(secondsHigh) << 32) | secondsLow);
        PresentationFeedback feedback;
        feedback.presented = true;
        feedback.presentedMs =
            seconds * 1000.0 + nanoseconds / 1e6 + pending->owner->clockOffsetMs_;
        feedback.refreshMs = refreshNs / 1e6;
        feedback.sequence = (static_cast<std::uint64_t>(sequenceHigh) << 32) | sequenceLow;
        feedback.flags = flags;
        pending->owner->answered(pending, feedback);
    }

    static void discarded(void* data, struct wp_presentation_feedback*) {
        auto* pending = static_cast<Pending*>(data);
        pending->owner->answered(pending, PresentationFeedback{});
    }

    static constexpr wl_registry_listener kRegistryListener{global, globalRemoved};
    static constexpr wp_presentation_listener kPresentationListener{clockId};
    static constexpr wp_presentation_feedback_listener kFeedbackListener{syncOutput, presented,
                                                                         discarded};

    wl_display* display_;
    wl_surface* surface_;
    wl_event_queue* queue_;
    wl_registry* registry_ = nullptr;
    wp_presentation* presentation_ = nullptr;
    double clockOffsetMs_ = 0;
    std::list<Pending> pending_; // answers point at their entry
    std::vector<PresentationFeedback> arrived_;
};

} // namespace

std::unique_ptr<PresentationFeedbackSource> presentationFeedbackFor(QWindow* window) {
    if (window == nullptr || QGuiApplication::platformName() != QLatin1String("wayland")) {
        return std::make_unique<Unavailable>();
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = static_cast<wl_display*>(
        native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")));
    auto* surface = static_cast<wl_surface*>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), window));
    if (display == nullptr || surface == nullptr) {
        return std::make_unique<Unavailable>();
    }
    auto source = std::make_unique<WaylandPresentation>(display, surface);
    if (!source->available()) {
        return std::make_unique<Unavailable>();
    }
    return source;
}

} // namespace mirelta

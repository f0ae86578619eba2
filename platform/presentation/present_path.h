#pragma once
// A window's frames handed to an X server's Present extension: the server copies each frame into
// the window at a vertical blank, counts those blanks (its MSC), and says on which one a frame
// went up, or that it was skipped. It is the same request a GL driver's buffer swap with swap
// interval 1 is made of on an X server with DRI3, so a raster window is put in step with the
// scan-out without a GL surface of its own, and the swap counts GLX_OML_sync_control would give
// are these completions. The blanks are also the display's own clock: the window is told of each
// one it asks for.

#include "platform/presentation/presentation_feedback.h"

#include <QRegion>
#include <cstdint>
#include <functional>
#include <memory>

class QImage;
class QWindow;

namespace mirelta {

class PresentPath : public PresentationFeedbackSource {
public:
    // `counter`: the display's refresh count (MSC); `atMs`: when that refresh came, on the
    // steady clock.
    using Refreshed = std::function<void(std::uint64_t counter, double atMs)>;

    // Asks to be told of refresh `counter`, or of the refresh at hand if that one has passed.
    // Only the latest question is answered: asking again withdraws the one before.
    virtual void askForRefresh(std::uint64_t counter) = 0;
    // Puts `update` (device pixels) of `window`, a picture of the whole window, on the display
    // at refresh `counter` or the first one after it. The window's other pixels stay as the
    // frames before left them.
    virtual void present(const QImage& window, const QRegion& update, long frame,
                         std::uint64_t counter) = 0;
    // The window's size in device pixels as the server holds it.
    virtual QSize size() const = 0;
};

// How a frame's pixels reach the server: through memory it shares with the program where it
// offers that (a server on this machine), or always in requests on the connection.
enum class PixelTransfer { SharedWhereOffered, Requests };

// The Present path for `window` on X11 when the server offers the extension and the window's
// pixels are 24-bit colour in 32-bit words; otherwise none. `refreshed` runs on the window's
// thread. MIRELTA_NO_PRESENT=1 declines it (the program then keeps the screen's nominal refresh
// by its own timer).
std::unique_ptr<PresentPath>
presentPathFor(QWindow* window, PresentPath::Refreshed refreshed,
               PixelTransfer transfer = PixelTransfer::SharedWhereOffered);

} // namespace mirelta

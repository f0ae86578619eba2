#pragma once
// What the Present path asks of an X server before it takes a window's frames: the extensions,
// the window's pixels in a form a QImage holds as they are, and memory shared with the server.

#include <QSize>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace mirelta::x11 {

template <typename Reply> struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

struct WindowFormat {
    QSize size;
    std::uint8_t depth = 0;
};

// The window's size and depth where its pixels are 24-bit colour in 32-bit words in the order a
// QImage of 32-bit RGB keeps them; otherwise none.
std::optional<WindowFormat> windowFormat(xcb_connection_t* connection, xcb_window_t window);
// Whether the server offers Present and XFixes, told the versions the program speaks.
bool hasPresentAndFixes(xcb_connection_t* connection);
// Whether the server makes pictures of memory it shares with the program.
bool serverSharesPixmaps(xcb_connection_t* connection);
// Memory of `bytes` the server maps as `segment`, or none where it cannot (a server on another
// machine); the segment is marked for removal once both sides hold it, so it goes with them.
std::uint8_t* sharePixels(xcb_connection_t* connection, std::size_t bytes, xcb_shm_seg_t segment);

} // namespace mirelta::x11

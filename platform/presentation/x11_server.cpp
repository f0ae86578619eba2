#include "platform/presentation/x11_server.h"

#include <cstdint>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/present.h>
#include <xcb/xfixes.h>

namespace mirelta::x11 {

std::uint8_t* sharePixels(xcb_connection_t* connection, std::size_t bytes, xcb_shm_seg_t segment) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) {
        return nullptr;
    }
    void* memory = shmat(id, nullptr, 0);
    // shmat says it failed with the address -1.
    const bool attached = reinterpret_cast<std::intptr_t>(memory) != -1;
    xcb_generic_error_t* error = nullptr;
    if (attached) {
        error = xcb_request_check(
            connection,
            xcb_shm_attach_checked(connection, segment, static_cast<std::uint32_t>(id), 0));
    }
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        return nullptr;
    }
    if (error != nullptr) {
        std::free(error);
        shmdt(memory);
        return nullptr;
    }
    return static_cast<std::uint8_t*>(memory);
}

bool serverSharesPixmaps(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection, &xcb_shm_id);
    if (shm == nullptr || !shm->present) {
        return false;
    }
    ReplyPtr<xcb_shm_query_version_reply_t> version(
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr));
    return version && version->shared_pixmaps != 0 &&
           version->pixmap_format == XCB_IMAGE_FORMAT_Z_PIXMAP;
}

std::optional<WindowFormat> windowFormat(xcb_connection_t* connection, xcb_window_t window) {
    ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!geometry || !attributes || (geometry->depth != 24 && geometry->depth != 32)) {
        return std::nullopt;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return std::nullopt;
    }
    bool thirtyTwoBits = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem;
         xcb_format_next(&format)) {
        if (format.data->depth == geometry->depth) {
            thirtyTwoBits = format.data->bits_per_pixel == 32;
        }
    }
    bool rgb = false;
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth)) {
            for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
                 xcb_visualtype_next(&visual)) {
                if (visual.data->visual_id == attributes->visual) {
                    rgb = visual.data->red_mask == 0xFF0000 && visual.data->green_mask == 0xFF00 &&
                          visual.data->blue_mask == 0xFF;
                }
            }
        }
    }
    if (!thirtyTwoBits || !rgb) {
        return std::nullopt;
    }
    return WindowFormat{QSize(geometry->width, geometry->height), geometry->depth};
}

bool hasPresentAndFixes(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* present =
        xcb_get_extension_data(connection, &xcb_present_id);
    const xcb_query_extension_reply_t* fixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (present == nullptr || !present->present || fixes == nullptr || !fixes->present) {
        return false;
    }
    // Both must be told the version the client speaks before they take requests.
    ReplyPtr<xcb_present_query_version_reply_t> presentVersion(xcb_present_query_version_reply(
        connection, xcb_present_query_version(connection, 1, 2), nullptr));
    ReplyPtr<xcb_xfixes_query_version_reply_t> fixesVersion(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, 5, 0), nullptr));
    return presentVersion && fixesVersion && fixesVersion->major_version >= 2;
}

} // namespace mirelta::x11

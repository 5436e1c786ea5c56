// Asks a window to close the way a window manager's close box does, for X servers that run none.
#include "XAtom.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: close_window WINDOW-ID\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("close_window: cannot reach the X server\n", stderr);
        return 1;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::stoul(argv[1], nullptr, 0));
    event.type = internAtom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = internAtom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    const bool sent = xcb_flush(connection) > 0 && !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return sent ? 0 : 1;
}

// An X server's atom for a name, for the test tools and the bench that talk to the server over xcb.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

// XCB_ATOM_NONE where the server did not answer.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

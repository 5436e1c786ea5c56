// The X client of the harness: events from the root window and the Damage extension, GetImage reads, XTest clicks.
#include "XDisplay.h"

#include <xcb/damage.h>
#include <xcb/xtest.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {
template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> owned(T* reply)
{
    return Reply<T>(reply, &std::free);
}

timespec untilDeadline(Clock::time_point deadline)
{
    const auto left = std::max(deadline - Clock::now(), Clock::duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    return {static_cast<time_t>(seconds.count()),
            static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count())};
}
}

Image::Image(int width, int height, std::vector<std::uint8_t> bgrx)
    : m_width(width), m_height(height), m_bgrx(std::move(bgrx))
{
    if (m_bgrx.size() != static_cast<std::size_t>(width) * height * 4)
        throw std::runtime_error("image of the wrong size from the X server");
}

Rgb Image::at(int x, int y) const
{
    const std::size_t offset = (static_cast<std::size_t>(y) * m_width + x) * 4;
    return {m_bgrx[offset + 2], m_bgrx[offset + 1], m_bgrx[offset]};
}

XDisplay::XDisplay()
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        throw std::runtime_error("cannot reach the X server named by DISPLAY");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    requireExtension("XTEST");
    requireExtension("DAMAGE");
    requirePixelLayout();
    m_damageEventBase = xcb_get_extension_data(m_connection, &xcb_damage_id)->first_event;
    owned(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    sync();
}

XDisplay::~XDisplay() { xcb_disconnect(m_connection); }

void XDisplay::requireExtension(const char* name)
{
    xcb_query_extension_cookie_t cookie = xcb_query_extension(m_connection, std::strlen(name), name);
    const auto reply = owned(xcb_query_extension_reply(m_connection, cookie, nullptr));
    if (!reply || !reply->present)
        throw std::runtime_error(std::string("the X server lacks the ") + name + " extension");
}

// Images are read as 32-bit little-endian pixels, blue first: what Xvfb at depth 24 serves.
void XDisplay::requirePixelLayout()
{
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        throw std::runtime_error("the X server's images are not little-endian");
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
        if (formats.data->depth == 24 && formats.data->bits_per_pixel == 32)
            return;
    throw std::runtime_error("the X server does not store depth 24 in 32 bits a pixel");
}

void XDisplay::sync() { owned(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

Seen XDisplay::next(Clock::time_point deadline, int watchedFd)
{
    Seen seen;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            const bool wanted = interpret(event, seen);
            std::free(event);
            if (wanted)
                return seen;
        }
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("lost the X server");
        if (Clock::now() >= deadline)
            return {Seen::Kind::Deadline, 0, Clock::now(), {}};
        pollfd fds[2] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0}, {watchedFd, POLLIN, 0}};
        const timespec timeout = untilDeadline(deadline);
        ppoll(fds, watchedFd >= 0 ? 2 : 1, &timeout, nullptr);
        if (watchedFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP)))
            return {Seen::Kind::WatchedFdReady, 0, Clock::now(), {}};
    }
}

void XDisplay::idleUntil(Clock::time_point deadline)
{
    while (next(deadline).kind != Seen::Kind::Deadline) {
    }
}

bool XDisplay::interpret(xcb_generic_event_t* event, Seen& seen)
{
    const std::uint8_t type = event->response_type & 0x7f;
    seen.at = Clock::now();
    if (type == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        seen.kind = Seen::Kind::Mapped;
        seen.window = map->window;
        return map->event == m_root;
    }
    if (type == XCB_UNMAP_NOTIFY) {
        const auto* unmap = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
        seen.kind = Seen::Kind::Unmapped;
        seen.window = unmap->window;
        return unmap->event == m_root;
    }
    if (type == m_damageEventBase + XCB_DAMAGE_NOTIFY) {
        const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
        seen.kind = Seen::Kind::Damaged;
        seen.window = damage->drawable;
        seen.area = {damage->area.x, damage->area.y, damage->area.width, damage->area.height};
        return true;
    }
    // Errors land here too: a window read just as its program quit is no news worth stopping for.
    return false;
}

xcb_atom_t XDisplay::atom(const char* name)
{
    const auto reply = owned(
        xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string XDisplay::stringProperty(xcb_window_t window, xcb_atom_t property)
{
    const auto reply = owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr));
    if (!reply || reply->format != 8)
        return {};
    const char* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, xcb_get_property_value_length(reply.get()));
}

std::string XDisplay::titleOf(xcb_window_t window)
{
    const std::string utf8 = stringProperty(window, atom("_NET_WM_NAME"));
    return utf8.empty() ? stringProperty(window, XCB_ATOM_WM_NAME) : utf8;
}

WindowBox XDisplay::boxOf(xcb_window_t window)
{
    const auto geometry = owned(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    const auto origin = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin)
        throw std::runtime_error("a window under test vanished");
    return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

void XDisplay::watchRedraws(xcb_window_t window)
{
    const xcb_damage_damage_t damage = xcb_generate_id(m_connection);
    // Every rectangle is reported as drawn: nothing to clear, so no redraw slips by between a report and a read.
    xcb_damage_create(m_connection, damage, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(m_connection);
}

Image XDisplay::grab(xcb_window_t window, int x, int y, int width, int height)
{
    const auto reply = owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, width, height, ~0u), nullptr));
    if (!reply)
        throw std::runtime_error("could not read a window under test");
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    return Image(width, height, std::vector<std::uint8_t>(data, data + xcb_get_image_data_length(reply.get())));
}

Rgb XDisplay::pixel(xcb_window_t window, int x, int y) { return grab(window, x, y, 1, 1).at(0, 0); }

std::vector<Rgb> XDisplay::pixels(xcb_window_t window, const std::vector<std::pair<int, int>>& points)
{
    std::vector<xcb_get_image_cookie_t> cookies;
    for (const auto& [x, y] : points)
        cookies.push_back(xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, ~0u));
    std::vector<Rgb> read;
    for (const xcb_get_image_cookie_t& cookie : cookies) {
        const auto reply = owned(xcb_get_image_reply(m_connection, cookie, nullptr));
        if (!reply)
            throw std::runtime_error("could not read a window under test");
        const std::uint8_t* data = xcb_get_image_data(reply.get());
        read.push_back(Image(1, 1, std::vector<std::uint8_t>(data, data + xcb_get_image_data_length(reply.get()))).at(0, 0));
    }
    return read;
}

void XDisplay::moveWindow(xcb_window_t window, int x, int y)
{
    const std::uint32_t position[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
    xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position);
    sync();
}

void XDisplay::click(int x, int y)
{
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, x, y, 0);
    clickHere();
}

void XDisplay::pointTo(int x, int y)
{
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, x, y, 0);
    xcb_flush(m_connection);
}

Clock::time_point XDisplay::clickHere()
{
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
    xcb_flush(m_connection);
    return Clock::now();
}

Clock::time_point XDisplay::roundTrip()
{
    sync();
    return Clock::now();
}

Clock::time_point XDisplay::clickTakenIn(int x, int y)
{
    click(x, y);
    sync();
    return Clock::now();
}

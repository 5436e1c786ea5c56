// A client of the X server the programs under test run on: it sees their windows appear and redraw,
// reads their pixels and sends them pointer input, all timestamped on the monotonic clock.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Clock = std::chrono::steady_clock;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A rectangle of a window's pixels as the server holds them.
class Image {
public:
    Image(int width, int height, std::vector<std::uint8_t> bgrx);
    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb at(int x, int y) const;
    friend bool operator==(const Image&, const Image&) = default;

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_bgrx;
};

struct WindowBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Seen {
    enum class Kind { Mapped, Unmapped, Damaged, WatchedFdReady, Deadline };
    Kind kind = Kind::Deadline;
    xcb_window_t window = 0;
    Clock::time_point at;
    // For a redraw, the rectangle it covered, in the window's pixels.
    WindowBox area;
};

class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // The next top-level map or unmap, or rectangle redrawn in a watched window; or the moment watchedFd turns
    // readable; or the deadline. The time is when the news reached this client.
    Seen next(Clock::time_point deadline, int watchedFd = -1);
    // Lets time pass, with whatever happens on the display dropped.
    void idleUntil(Clock::time_point deadline);

    std::string titleOf(xcb_window_t window);
    WindowBox boxOf(xcb_window_t window);
    WindowBox screenBox() { return boxOf(m_root); }
    void watchRedraws(xcb_window_t window);

    Image grab(xcb_window_t window, int x, int y, int width, int height);
    Rgb pixel(xcb_window_t window, int x, int y);
    // Several pixels for one round trip: the requests all go out before the first reply is awaited.
    std::vector<Rgb> pixels(xcb_window_t window, const std::vector<std::pair<int, int>>& points);

    // Places a top-level window; with no window manager on the server, it lands where it is put.
    void moveWindow(xcb_window_t window, int x, int y);

    // A left click at a point of the screen, through the XTest extension.
    void click(int x, int y);
    // The same, returning once the server has taken it in, which is when the program can see it.
    Clock::time_point clickTakenIn(int x, int y);
    // The pointer alone, and a click where it already is: no crossing into or out of a window comes with
    // the click. The time is when the press and release had been written to the server's socket.
    void pointTo(int x, int y);
    Clock::time_point clickHere();
    // Returns once the server has handled everything sent before.
    Clock::time_point roundTrip();

private:
    void requireExtension(const char* name);
    void requirePixelLayout();
    bool interpret(xcb_generic_event_t* event, Seen& seen);
    std::string stringProperty(xcb_window_t window, xcb_atom_t property);
    xcb_atom_t atom(const char* name);
    void sync();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    std::uint8_t m_damageEventBase = 0;
};

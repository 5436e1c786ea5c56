// The bench probe: measures the floor and each game from outside under one X server, and prints the table.
#include "Dial.h"
#include "FloorColour.h"
#include "XAtom.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;


// Where things are on both boards, in the window's pixels.
constexpr int ButtonX = 40, ButtonY = 215;
// The score's text, below the needle's reach (it ends four pixels past the dial's rim) and above the record.
constexpr int ScoreX = 104, ScoreY = 205, ScoreWidth = 97, ScoreHeight = 27;
// A third of a turn apart and clear of the title: a hand covers at most two of them, so one shows the dial's colour.
constexpr int DialProbes[3][2] = {{100, 170}, {39, 65}, {161, 65}};
constexpr Colour Green{0, 255, 0}, White{255, 255, 255}, Cyan{0, 255, 255};
constexpr int PacedClicks = 30;
constexpr auto PacedPeriod = 100ms;
constexpr int BacklogClicks[2] = {500, 2000};
// The game's score shows the count mod 1000: the second backlog ends on the score the first one left.
static_assert(BacklogClicks[1] % 1000 == 0);

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

struct Seen {
    enum Kind { Nothing, Mapped, Damaged } kind = Nothing;
    xcb_window_t window = 0;
    Clock::time_point at;
};

// The probe's own client of the X server the programs run on; every time it gives is when news reached it.
class XServer {
public:
    XServer() : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("cannot reach the X server named by DISPLAY");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        if (!xcb_get_extension_data(m_connection, &xcb_test_id)->present ||
            !xcb_get_extension_data(m_connection, &xcb_damage_id)->present)
            throw std::runtime_error("the X server lacks XTEST or DAMAGE");
        m_damageEvent = xcb_get_extension_data(m_connection, &xcb_damage_id)->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        m_netWmName = internAtom(m_connection, "_NET_WM_NAME");
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        sync();
    }
    ~XServer() { xcb_disconnect(m_connection); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // The next top-level map or redraw of a watched window, or Nothing at the deadline. Redraws already queued
    // behind one are the same news: one read of the screen answers them all, so they are passed over.
    Seen next(Clock::time_point deadline)
    {
        for (;;) {
            if (xcb_generic_event_t* event = m_held ? m_held.release() : xcb_poll_for_event(m_connection)) {
                Seen seen = interpret(event);
                if (seen.kind == Seen::Damaged)
                    skipRedrawsQueuedBehind();
                if (seen.kind != Seen::Nothing)
                    return seen;
                continue;
            }
            if (xcb_connection_has_error(m_connection))
                throw std::runtime_error("lost the X server");
            const auto left = deadline - Clock::now();
            if (left <= 0s)
                return {Seen::Nothing, 0, Clock::now()};
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            const timespec timeout{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ppoll(&fd, 1, &timeout, nullptr);
        }
    }

    // Lets time pass, with whatever happens on the screen dropped.
    void idleUntil(Clock::time_point deadline)
    {
        while (next(deadline).kind != Seen::Nothing) {
        }
    }

    std::string title(xcb_window_t window)
    {
        const auto cookie = xcb_get_property(m_connection, 0, window, m_netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
        const auto reply = owned(xcb_get_property_reply(m_connection, cookie, nullptr));
        if (!reply)
            return {};
        return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
    }

    void watchRedraws(xcb_window_t window)
    {
        // Every rectangle drawn is reported, with nothing to clear, so no redraw slips by between a report and a read.
        xcb_damage_create(m_connection, xcb_generate_id(m_connection), window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_connection);
    }

    // Xvfb at depth 24 serves four bytes a pixel, blue first.
    std::vector<std::uint8_t> grab(xcb_window_t window, int x, int y, int width, int height)
    {
        return readImage(xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, width, height, ~0u));
    }

    // The dial's probes in one round trip: every request goes out before the first reply is awaited.
    std::vector<Colour> dialPixels(xcb_window_t window)
    {
        std::vector<xcb_get_image_cookie_t> cookies;
        for (const auto& probe : DialProbes)
            cookies.push_back(xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, probe[0], probe[1], 1, 1, ~0u));
        std::vector<Colour> pixels;
        for (const auto& cookie : cookies)
            pixels.push_back(rgbOf(readImage(cookie)));
        return pixels;
    }

    Colour pixel(xcb_window_t window, int x, int y) { return rgbOf(grab(window, x, y, 1, 1)); }

    // Where the window's button is on the screen; with no window manager the window stays where it was put.
    void pointAtButton(xcb_window_t window)
    {
        const auto origin = owned(xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, m_root, ButtonX, ButtonY), nullptr));
        if (!origin)
            throw std::runtime_error("a window under test vanished");
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, origin->dst_x, origin->dst_y, 0);
        sync();
    }

    // A left click where the pointer is, sent on at once or left queued for the clicks behind it.
    Clock::time_point click(bool send = true)
    {
        xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
        xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, m_root, 0, 0, 0);
        if (send)
            xcb_flush(m_connection);
        return Clock::now();
    }
    // Returns once the server has handled everything sent before: a click sent before it has been taken in.
    Clock::time_point sync()
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        return Clock::now();
    }

private:
    Seen interpret(xcb_generic_event_t* raw)
    {
        const auto event = owned(raw);
        const int type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(raw);
            if (map->event == m_root)
                return {Seen::Mapped, map->window, Clock::now()};
        } else if (type == m_damageEvent) {
            return {Seen::Damaged, reinterpret_cast<xcb_damage_notify_event_t*>(raw)->drawable, Clock::now()};
        }
        // Errors land here too: a window read just as its program ended is no news.
        return {};
    }

    void skipRedrawsQueuedBehind()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_queued_event(m_connection)) {
            if ((event->response_type & 0x7f) != m_damageEvent) {
                m_held.reset(event);
                return;
            }
            std::free(event);
        }
    }

    std::vector<std::uint8_t> readImage(xcb_get_image_cookie_t cookie)
    {
        const auto reply = owned(xcb_get_image_reply(m_connection, cookie, nullptr));
        if (!reply)
            throw std::runtime_error("could not read a window under test");
        const std::uint8_t* data = xcb_get_image_data(reply.get());
        return {data, data + xcb_get_image_data_length(reply.get())};
    }

    static Colour rgbOf(const std::vector<std::uint8_t>& bgrx) { return {bgrx.at(2), bgrx.at(1), bgrx.at(0)}; }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    int m_damageEvent = 0;
    xcb_atom_t m_netWmName = XCB_ATOM_NONE;
    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> m_held = owned<xcb_generic_event_t>(nullptr);
};

struct CpuUse {
    double cpuMs = 0;
    double runs = 0;
};

// One start of a program under test, its output appended to the log; it is killed when the probe is done with it.
class Process {
public:
    Process(const std::string& path, const std::string& log)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        const int failed = posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed)
            throw std::runtime_error("cannot start " + path);
    }
    ~Process()
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Summed over the threads, since the toolkit reads the X connection on one of its own. schedstat counts CPU to
    // the nanosecond, where stat rounds it to hundredths of a second, and counts each time a thread was run.
    CpuUse use() const
    {
        CpuUse use;
        for (const auto& task : std::filesystem::directory_iterator(proc() / "task")) {
            std::ifstream schedstat(task.path() / "schedstat");
            double onCpuNs = 0, waitingNs = 0, runs = 0;
            schedstat >> onCpuNs >> waitingNs >> runs;
            use.cpuMs += onCpuNs / 1e6;
            use.runs += runs;
        }
        return use;
    }

    double peakMiB() const
    {
        std::ifstream status(proc() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("VmHWM:"))
                return std::stod(line.substr(6)) / 1024;
        throw std::runtime_error("no VmHWM in " + (proc() / "status").string());
    }

private:
    std::filesystem::path proc() const { return "/proc/" + std::to_string(m_pid); }
    pid_t m_pid = 0;
};

struct Program {
    std::string label;
    std::string path;
    bool isFloor = false;

    std::string title() const { return isFloor ? "Tastenrenner floor" : "Der Tastenrenner"; }
    // The colour a count paints the dial: the game's own ramp, or the floor's.
    Colour dialColour(int count) const
    {
        if (isFloor)
            return floorColour(count);
        return count == 0 ? Green : DialColour(count);
    }
};

// The program's window once it shows the green design dial, and the redraw that brought it.
Seen awaitBoard(XServer& x, const Program& program, Clock::time_point deadline)
{
    xcb_window_t window = 0;
    for (;;) {
        const Seen seen = x.next(deadline);
        if (seen.kind == Seen::Nothing)
            throw std::runtime_error("no board from " + program.path);
        if (!window && seen.kind == Seen::Mapped && x.title(seen.window) == program.title()) {
            window = seen.window;
            x.watchRedraws(window);
        } else if (!window || seen.window != window) {
            continue;
        }
        if (x.dialPixels(window) == std::vector<Colour>(std::size(DialProbes), Green))
            return seen;
    }
}

struct Backlog {
    double ms = NAN;
    bool exact = false;
};

struct Sample {
    double startMs = 0;
    double wakeupsPerSecond = 0;
    std::vector<double> latenciesMs;
    int unseen = 0;
    double cpuMs = 0;
    Backlog backlogs[2];
    double peakMiB = 0;
};

// One program on the screen, with the count it has been clicked to.
struct Session {
    XServer& x;
    const Program& program;
    Seen board;
    int count = 0;

    bool dialShows(int wanted)
    {
        const std::vector<Colour> probes = x.dialPixels(board.window);
        return std::find(probes.begin(), probes.end(), program.dialColour(wanted)) != probes.end();
    }
};

// Clicks at 10 a second, each timed to the first redraw after which the dial shows its count's colour; a click
// whose colour was drawn over before it showed is taken to have arrived with the later one that did show.
void pressToPixels(Session& s, Sample& sample, const Process& process)
{
    struct Sent {
        int count;
        Clock::time_point at;
    };
    std::deque<Sent> waiting;
    auto readUntil = [&](Clock::time_point due) {
        for (Seen seen; (seen = s.x.next(due)).kind != Seen::Nothing;) {
            if (seen.window != s.board.window || waiting.empty())
                continue;
            const std::vector<Colour> probes = s.x.dialPixels(s.board.window);
            const auto shown = std::find_if(waiting.rbegin(), waiting.rend(), [&](const Sent& sent) {
                return std::find(probes.begin(), probes.end(), s.program.dialColour(sent.count)) != probes.end();
            });
            for (auto arrived = waiting.begin(); arrived != shown.base(); ++arrived)
                sample.latenciesMs.push_back(ms(seen.at - arrived->at));
            waiting.erase(waiting.begin(), shown.base());
        }
    };
    const CpuUse before = process.use();
    const auto start = Clock::now();
    for (int i = 0; i < PacedClicks; ++i) {
        readUntil(start + i * PacedPeriod);
        waiting.push_back({++s.count, s.x.click()});
    }
    readUntil(start + PacedClicks * PacedPeriod);
    sample.cpuMs = process.use().cpuMs - before.cpuMs;
    sample.unseen = static_cast<int>(waiting.size());
}

// Sends the clicks as fast as XTest takes them, then times from the last one sent to the first redraw after which
// the board shows the final count; it must still show it a moment later, with nothing beyond it counted.
Backlog flood(Session& s, int clicks, const std::function<bool()>& showsFinal)
{
    for (int i = 1; i < clicks; ++i)
        s.x.click(false);
    const Clock::time_point lastSent = s.x.click();
    s.count += clicks;
    const auto deadline = lastSent + 15s;
    Clock::time_point shownAt = lastSent;
    for (bool shown = showsFinal(); !shown;) {
        const Seen seen = s.x.next(deadline);
        if (seen.kind == Seen::Nothing)
            return {};
        shownAt = seen.at;
        shown = seen.window == s.board.window && showsFinal();
    }
    s.x.idleUntil(Clock::now() + 300ms);
    return {ms(shownAt - lastSent), showsFinal()};
}

// The game's dial is white from 720 presses on, so there the count is read off the score (the count mod 1000,
// against the score as it showed at the same count mod 1000) and the needle (the count mod 360).
std::function<bool()> gameShowsWhite(Session& s, const std::vector<std::uint8_t>& score, int count)
{
    const HandEnd end = NeedleEnd(DegreesToRadians(count));
    const int needleX = static_cast<int>((1500 + (end.X2 - 1500) * 2 / 3) / 15);
    const int needleY = static_cast<int>((1500 + (end.Y2 - 1500) * 2 / 3) / 15);
    return [&s, score, count, needleX, needleY] {
        return s.dialShows(count) && s.x.grab(s.board.window, ScoreX, ScoreY, ScoreWidth, ScoreHeight) == score &&
               s.x.pixel(s.board.window, needleX, needleY) == Cyan;
    };
}

// One start of a program: to its first board, a rest, clicks at 10 a second, then the two backlogs.
Sample runSession(XServer& x, const Program& program, const std::string& log)
{
    Sample sample;
    const auto started = Clock::now();
    Process process(program.path, log);
    Session s{x, program, awaitBoard(x, program, started + 20s)};
    sample.startMs = ms(s.board.at - started);
    x.pointAtButton(s.board.window);
    x.idleUntil(Clock::now() + 500ms);

    constexpr auto Rest = 3s;
    const CpuUse atRest = process.use();
    x.idleUntil(Clock::now() + Rest);
    sample.wakeupsPerSecond = (process.use().runs - atRest.runs) / std::chrono::duration<double>(Rest).count();

    pressToPixels(s, sample, process);
    const int afterFirst = s.count + BacklogClicks[0];
    sample.backlogs[0] = flood(s, BacklogClicks[0], [&] { return s.dialShows(afterFirst); });
    const int afterSecond = afterFirst + BacklogClicks[1];
    if (program.isFloor || program.dialColour(afterSecond) != White)
        sample.backlogs[1] = flood(s, BacklogClicks[1], [&] { return s.dialShows(afterSecond); });
    else if (sample.backlogs[0].exact)
        sample.backlogs[1] = flood(
            s, BacklogClicks[1],
            gameShowsWhite(s, x.grab(s.board.window, ScoreX, ScoreY, ScoreWidth, ScoreHeight), afterSecond));
    sample.peakMiB = process.peakMiB();
    return sample;
}

// A round of a fresh game, from its first click taken in to the verdict box mapped; a busy round is clicked at
// 10 a second until then, an idle one only once.
double playRound(XServer& x, const Program& game, const std::string& log, bool busy)
{
    const auto started = Clock::now();
    Process process(game.path, log);
    const Seen board = awaitBoard(x, game, started + 20s);
    x.pointAtButton(board.window);
    x.idleUntil(Clock::now() + 500ms);
    x.click();
    const Clock::time_point first = x.sync();
    const auto giveUp = first + 75s;
    for (auto nextClick = first + PacedPeriod;;) {
        const Seen seen = x.next(busy ? std::min(nextClick, giveUp) : giveUp);
        if (seen.kind == Seen::Mapped && x.title(seen.window) == "Blah")
            return ms(seen.at - first);
        if (seen.kind != Seen::Nothing)
            continue;
        if (seen.at >= giveUp)
            throw std::runtime_error("no verdict from " + game.path + " 75 s after the first click");
        x.click();
        nextClick += PacedPeriod;
    }
}

// The figures below, in the order the table prints them.
double median(std::vector<double> values)
{
    std::erase_if(values, [](double v) { return std::isnan(v); });
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// By nearest rank: a value that was measured, never one between two.
double percentile(std::vector<double> values, double q)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size()))) - 1];
}

std::string fixed(double value, int decimals)
{
    if (std::isnan(value))
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

using Cells = std::vector<std::string>;
using Samples = std::vector<std::vector<Sample>>;
using Field = std::function<double(const Sample&)>;

void printRow(const std::string& figure, const Cells& cells, const std::string& goal)
{
    std::printf("| %-58s |", figure.c_str());
    for (const std::string& cell : cells)
        std::printf(" %-23s |", cell.c_str());
    std::printf(" %s\n", goal.c_str());
}

// A paired figure: each program's median over the pairs, a game's beside the median of its per-pair ratios to
// the floor, so a slow moment of the machine weighs on both programs of a pair alike.
Cells pairedCells(const Samples& samples, const Field& field, int decimals, bool againstFloor = true,
                  const std::function<std::string(const std::vector<Sample>&)>& note = {})
{
    Cells cells;
    for (const std::vector<Sample>& runs : samples) {
        std::vector<double> values, ratios;
        for (std::size_t pair = 0; pair < runs.size(); ++pair) {
            values.push_back(field(runs[pair]));
            ratios.push_back(field(runs[pair]) / field(samples[0][pair]));
        }
        std::string cell = fixed(median(values), decimals);
        if (againstFloor && &runs != &samples[0])
            cell += " (" + fixed(median(ratios), 2) + "x)";
        cells.push_back(note ? cell + ", " + note(runs) : cell);
    }
    return cells;
}

// Press to pixels over every click of every pair, a game's beside its distance above the floor.
Cells latencyCells(const Samples& samples, double q)
{
    Cells cells;
    double floorMs = 0;
    for (const std::vector<Sample>& runs : samples) {
        std::vector<double> all;
        int unseen = 0;
        for (const Sample& sample : runs) {
            all.insert(all.end(), sample.latenciesMs.begin(), sample.latenciesMs.end());
            unseen += sample.unseen;
        }
        const double value = percentile(all, q);
        std::string cell = fixed(value, 2);
        if (&runs == &samples[0])
            floorMs = value;
        else
            cell += " (" + std::string(value >= floorMs ? "+" : "") + fixed(value - floorMs, 2) + ")";
        cells.push_back(unseen ? cell + ", " + std::to_string(unseen) + " unseen" : cell);
    }
    return cells;
}

// Each game's idle rounds and busy rounds, the floor having none.
void printTable(const std::vector<Program>& programs, const Samples& samples,
                const std::vector<std::array<std::string, 2>>& rounds)
{
    Cells labels;
    for (const Program& program : programs)
        labels.push_back(program.label);
    printRow("figure", labels, "goal");
    printRow("press to pixels at 10/s, median, ms", latencyCells(samples, 0.5), "<= floor + 0.1 ms");
    printRow("press to pixels at 10/s, 95th percentile, ms", latencyCells(samples, 0.95), "<= floor + 0.5 ms");
    printRow("press to pixels at 10/s, 99th percentile, ms", latencyCells(samples, 0.99), "-");
    for (int i = 0; i < 2; ++i) {
        auto exact = [i](const std::vector<Sample>& runs) {
            const auto n = std::count_if(runs.begin(), runs.end(), [i](const Sample& s) { return s.backlogs[i].exact; });
            return n == static_cast<long>(runs.size()) ? std::string("exact") : std::to_string(n) + "/" + std::to_string(runs.size()) + " exact";
        };
        printRow("backlog of " + std::to_string(BacklogClicks[i]) + " clicks, last sent to final board, ms",
                 pairedCells(samples, [i](const Sample& s) { return s.backlogs[i].ms; }, 1, true, exact),
                 "exact, <= 0.8x floor");
    }
    printRow("CPU over " + std::to_string(PacedClicks) + " clicks at 10/s, user+sys, ms",
             pairedCells(samples, [](const Sample& s) { return s.cpuMs; }, 2), "<= 1.2x floor");
    printRow("start to first painted board, ms", pairedCells(samples, [](const Sample& s) { return s.startMs; }, 1),
             "<= 1.0x floor");
    printRow("peak memory (VmHWM), MiB", pairedCells(samples, [](const Sample& s) { return s.peakMiB; }, 2),
             "<= 1.10x floor");
    for (int busy = 0; busy < 2; ++busy) {
        Cells cells{"-"};
        for (std::size_t game = 1; game < programs.size(); ++game)
            cells.push_back(rounds[game][busy]);
        printRow(std::string(busy ? "busy" : "idle") + " round, first click to verdict mapped, ms", cells,
                 "60000 +- 1 ms");
    }
    printRow("wake-ups at rest after showing, per second",
             pairedCells(samples, [](const Sample& s) { return s.wakeupsPerSecond; }, 1, false), "0 per second");
}

void run(const std::string& log, int pairs, int rounds, const std::vector<Program>& programs)
{
    XServer x;
    // One session each first, to bring libraries and fonts into the page cache; it is not counted.
    std::cerr << "warming up\n";
    for (const Program& program : programs)
        runSession(x, program, log);
    Samples samples(programs.size());
    for (int pair = 0; pair < pairs; ++pair) {
        std::cerr << "pair " << pair + 1 << " of " << pairs << '\n';
        // Every other pair runs backwards, so no program always comes right after the same one.
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const std::size_t p = pair % 2 ? programs.size() - 1 - i : i;
            samples[p].push_back(runSession(x, programs[p], log));
        }
    }
    std::vector<std::array<std::string, 2>> lengths(programs.size());
    for (std::size_t game = 1; game < programs.size(); ++game)
        for (int round = 0; round < rounds; ++round)
            for (int busy = 0; busy < 2; ++busy) {
                std::cerr << programs[game].label << ": " << (busy ? "busy" : "idle") << " round " << round + 1 << " of "
                          << rounds << '\n';
                std::string& cell = lengths[game][busy];
                cell += (cell.empty() ? "" : " ") + fixed(playRound(x, programs[game], log, busy), 1);
            }
    printTable(programs, samples, lengths);
}
}

int main(int argc, char* argv[])
{
    if (argc < 6) {
        std::cerr << "usage: bench-probe LOG PAIRS ROUNDS FLOOR GAME [LABEL=GAME ...]\n";
        return 2;
    }
    std::vector<Program> programs{{"floor", argv[4], true}, {"game", argv[5], false}};
    for (int i = 6; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto equals = arg.find('=');
        if (equals == std::string::npos || equals == 0) {
            std::cerr << "bench-probe: a further game is LABEL=PATH, not " << arg << '\n';
            return 2;
        }
        programs.push_back({arg.substr(0, equals), arg.substr(equals + 1), false});
    }
    try {
        run(argv[1], std::stoi(argv[2]), std::stoi(argv[3]), programs);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "bench-probe: " << error.what() << '\n';
        return 1;
    }
}

// The sessions of the harness. Every judgement is made from the screen and /proc; the programs are not asked.
#include "Sessions.h"

#include "Dial.h"
#include "FloorColour.h"
#include "PressesInFlight.h"
#include "Process.h"
#include "SweepHand.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>

using namespace std::chrono_literals;

namespace {
// Where things are on the board, in the window's pixels.
constexpr int ButtonX = 40, ButtonY = 215;
constexpr int DialProbeX = 100, DialProbeY = 180;
constexpr int ScoreX = 104, ScoreY = 200, ScoreWidth = 97, ScoreHeight = 33;
constexpr WindowBox Dial{0, 0, 200, 200};
constexpr WindowBox Score{ScoreX, ScoreY, ScoreWidth, ScoreHeight};
// Two points on the needle after 2000 presses, which leave it at 2000 mod 360 = 200 degrees.
constexpr int NeedleProbes[2][2] = {{82, 147}, {76, 165}};
// Columns either side of the 12 o'clock line, from below the dial's rim to above the title.
constexpr int SweepLeft = 80, SweepWidth = 40, SweepTop = 10, SweepBottom = 46;

constexpr Rgb Green{0, 255, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Cyan{0, 255, 255};
constexpr int BurstClicks = 2000;
constexpr auto RoundLength = 60s;

bool overlap(const WindowBox& a, const WindowBox& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// What the final board is read from; the button's own redraws, one per press and release, touch neither.
bool touchesCount(const WindowBox& area) { return overlap(area, Dial) || overlap(area, Score); }

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct ShownBoard {
    xcb_window_t window = 0;
    WindowBox box;
    Clock::time_point at;
};

// From the moment of exec to the first time the program's window is up with the green dial on it.
ShownBoard waitForFirstBoard(XDisplay& x, const std::string& title, Clock::time_point deadline)
{
    xcb_window_t window = 0;
    for (;;) {
        const Seen seen = x.next(deadline);
        if (seen.kind == Seen::Kind::Deadline)
            throw std::runtime_error("no board from '" + title + "'");
        if (!window && seen.kind == Seen::Kind::Mapped && x.titleOf(seen.window) == title) {
            window = seen.window;
            x.watchRedraws(window);
        } else if (!(window && seen.kind == Seen::Kind::Damaged && seen.window == window)) {
            continue;
        }
        if (x.pixel(window, DialProbeX, DialProbeY) == Green)
            return {window, x.boxOf(window), seen.kind == Seen::Kind::Mapped ? Clock::now() : seen.at};
    }
}

SweepStrip sweepStrip(XDisplay& x, xcb_window_t window, int bottom)
{
    return {x.grab(window, SweepLeft, SweepTop, SweepWidth, bottom - SweepTop), SweepLeft, SweepTop};
}

// The reading of the sweep hand is only worth anything if it finds the design board's hand upright.
void checkSweepReadingOnDesignBoard(XDisplay& x, const ShownBoard& board)
{
    const std::optional<double> degrees = sweepHandDegrees(sweepStrip(x, board.window, SweepBottom));
    if (!degrees || std::abs(*degrees) > 0.05)
        throw std::runtime_error("the sweep hand reading is off on the design board: " +
                                 (degrees ? std::to_string(*degrees) : std::string("unreadable")));
}

// 2000 presses read "000 pushes" like the design board, whiten the dial and leave the needle at
// 200 degrees; of all counts below 9000 only 2000 does all three.
std::function<bool()> gameShowsBurstDone(XDisplay& x, const ShownBoard& board)
{
    const Image designScore = x.grab(board.window, ScoreX, ScoreY, ScoreWidth, ScoreHeight);
    // The score, which changes with every press, is read first: while the game catches up, one
    // request a redraw is all the harness adds, as it is for the floor.
    return [&x, window = board.window, designScore] {
        if (x.grab(window, ScoreX, ScoreY, ScoreWidth, ScoreHeight) != designScore)
            return false;
        if (x.pixel(window, DialProbeX, DialProbeY) != White)
            return false;
        for (const auto& probe : NeedleProbes)
            if (x.pixel(window, probe[0], probe[1]) != Cyan)
                return false;
        return true;
    };
}

std::function<bool()> floorShowsBurstDone(XDisplay& x, const ShownBoard& board)
{
    const FloorRgb rgb = floorRgb(BurstClicks);
    const Rgb done{rgb.red, rgb.green, rgb.blue};
    return [&x, window = board.window, done] { return x.pixel(window, DialProbeX, DialProbeY) == done; };
}

Process startBurst(const WindowBox& box)
{
    return Process({"xdotool", "mousemove", std::to_string(box.x + ButtonX), std::to_string(box.y + ButtonY), "click",
                    "--repeat", std::to_string(BurstClicks), "--delay", "0", "1"});
}

// Sends the clicks, then times from xdotool's exit (its last click written) to the final board on screen.
// The final board needs the last click, so the screen is read only once xdotool is done, and then only
// after redraws of the count: the harness adds as few requests as it can to the X server the program
// under test is busy with, the same few for the game and the floor.
void floodWithClicks(XDisplay& x, const ShownBoard& board, const std::function<bool()>& showsDone, SessionSample& sample)
{
    Process xdotool = startBurst(board.box);
    const auto deadline = Clock::now() + 30s;
    Seen seen;
    do
        seen = x.next(deadline, xdotool.exitFd());
    while (seen.kind != Seen::Kind::WatchedFdReady && seen.kind != Seen::Kind::Deadline);
    if (seen.kind == Seen::Kind::Deadline)
        return;
    const Clock::time_point lastSent = seen.at;
    xdotool.waitForExit();
    std::optional<Clock::time_point> doneShown;
    if (showsDone())
        doneShown = lastSent;
    while (!doneShown) {
        seen = x.next(deadline);
        if (seen.kind == Seen::Kind::Deadline)
            return;
        if (seen.kind == Seen::Kind::Damaged && seen.window == board.window && touchesCount(seen.area) && showsDone())
            doneShown = seen.at;
    }
    // Still showing it a moment later: nothing beyond the 2000 was counted either.
    x.idleUntil(Clock::now() + 500ms);
    sample.burstCounted = showsDone();
    sample.burstSettleMs = milliseconds(*doneShown - lastSent);
}
}

SessionSample runSession(XDisplay& x, const Program& program)
{
    SessionSample sample;
    const auto started = Clock::now();
    Process process({program.path});
    const ShownBoard board = waitForFirstBoard(x, program.title, started + 20s);
    sample.startMs = milliseconds(board.at - started);
    if (program.isGame)
        checkSweepReadingOnDesignBoard(x, board);

    x.idleUntil(board.at + 1s);
    const CpuUse beforeIdle = process.cpuUse();
    x.idleUntil(Clock::now() + 10s);
    const CpuUse idle = process.cpuUse() - beforeIdle;
    sample.idleCpuMs = idle.nanoseconds / 1e6;
    sample.idleWakeups = static_cast<double>(idle.voluntarySwitches);

    floodWithClicks(x, board, program.isGame ? gameShowsBurstDone(x, board) : floorShowsBurstDone(x, board), sample);
    sample.peakMiB = process.peakResidentKiB() / 1024.0;
    return sample;
}

namespace {
Clock::duration periodOf(int pressesPerSecond) { return std::chrono::nanoseconds(1'000'000'000 / pressesPerSecond); }

constexpr char VerdictTitle[] = "Blah";

void answerNo(XDisplay& x, xcb_window_t prompt)
{
    Process xdotool({"xdotool", "windowfocus", "--sync", std::to_string(prompt), "key", "n"});
    xdotool.waitForExit();
    const auto deadline = Clock::now() + 5s;
    for (;;) {
        const Seen seen = x.next(deadline);
        if (seen.kind == Seen::Kind::Deadline)
            throw std::runtime_error("the verdict did not close on No");
        if (seen.kind == Seen::Kind::Unmapped && seen.window == prompt)
            return;
    }
}

// The sweep hand as the verdict left it, read above the box where the box covers the dial.
int sweepTicksAtVerdict(XDisplay& x, const ShownBoard& board, xcb_window_t prompt)
{
    const WindowBox promptBox = x.boxOf(prompt);
    const int bottom = std::min(SweepBottom, promptBox.y - board.box.y);
    if (bottom <= SweepTop + 10)
        return -1;
    const std::optional<double> degrees = sweepHandDegrees(sweepStrip(x, board.window, bottom));
    return degrees ? ticksForAngleNearTop(*degrees) : -1;
}

// Reads the hand, answers No and lets the board settle: the round's end as the harness takes it.
void closeVerdict(XDisplay& x, const ShownBoard& board, const Seen& verdict, RoundSample& sample)
{
    // The timers are stopped by now; the board's last repaint may still be on its way.
    x.idleUntil(verdict.at + 300ms);
    sample.sweepTicks = sweepTicksAtVerdict(x, board, verdict.window);
    answerNo(x, verdict.window);
    x.idleUntil(Clock::now() + 300ms);
}

RoundSample playRoundAlone(XDisplay& x, Process& game, const ShownBoard& board, int pressesPerSecond)
{
    RoundSample sample;
    sample.pressesPerSecond = pressesPerSecond;
    const int pressX = board.box.x + ButtonX, pressY = board.box.y + ButtonY;
    const Clock::time_point firstPress = x.clickTakenIn(pressX, pressY);
    const CpuUse before = game.cpuUse();
    const auto giveUp = firstPress + RoundLength + 15s;
    auto nextPress = firstPress + periodOf(pressesPerSecond);
    for (;;) {
        const Seen seen = x.next(std::min(nextPress, giveUp));
        if (seen.kind == Seen::Kind::Deadline) {
            if (seen.at >= giveUp)
                throw std::runtime_error("no verdict after the minute");
            x.click(pressX, pressY);
            nextPress += periodOf(pressesPerSecond);
        } else if (seen.kind == Seen::Kind::Mapped && x.titleOf(seen.window) == VerdictTitle) {
            const CpuUse during = game.cpuUse() - before;
            sample.lengthMs = milliseconds(seen.at - firstPress);
            sample.cpuPercent = 100.0 * during.nanoseconds / std::chrono::nanoseconds(seen.at - firstPress).count();
            closeVerdict(x, board, seen, sample);
            return sample;
        }
    }
}

// Points on the dial the press is read from, a third of a turn apart, clear of the labels: a hand can
// cover one or two of them at a time, never all three, so one always shows the dial's own colour.
const std::vector<std::pair<int, int>> DialProbes{{100, 170}, {39, 65}, {161, 65}};

bool touchesProbes(const WindowBox& area)
{
    return std::any_of(DialProbes.begin(), DialProbes.end(),
                       [&](const auto& probe) { return overlap(area, {probe.first, probe.second, 1, 1}); });
}

Rgb gameDialColour(int count)
{
    if (count == 0)
        return Green;
    const Colour colour = DialColour(count);
    return {colour.Red, colour.Green, colour.Blue};
}

Rgb floorDialColour(int count)
{
    const FloorRgb rgb = floorRgb(count);
    return {rgb.red, rgb.green, rgb.blue};
}

// Pressed in blocks of 50 at 10 a second, the game first: the game's blocks end five seconds before its
// minute does and the floor's two seconds before, so the end of the round and the verdict box never
// fall on a measured press. The pointer crosses to the next program 50 ms before its block, so no
// measured press comes with a crossing.
constexpr auto SideBySidePeriod = 100ms;
constexpr int BlockPresses = 50;
constexpr int SideBySidePresses = 580;
constexpr auto PointerLead = 50ms;
// A press not shown by then was drawn over by a later one without its own colour ever showing.
constexpr auto PressPatience = 1s;

struct Side {
    Process& process;
    ShownBoard board;
    PressesInFlight inFlight;
    PressedSide& measured;
    int count = 0;

    int pressX() const { return board.box.x + ButtonX; }
    int pressY() const { return board.box.y + ButtonY; }
};

// The block being pressed: its program's CPU is read as the pointer crosses in and again as it leaves.
class Block {
public:
    void open(Side& side)
    {
        m_side = &side;
        m_cpu = side.process.cpuUse();
        m_at = Clock::now();
    }
    struct Spent {
        const Side* side = nullptr;
        double cpuMs = 0;
        double wallMs = 0;
    };
    // Adds the block to its program's totals and returns it.
    Spent close()
    {
        if (!m_side)
            return {};
        const Spent spent{m_side, (m_side->process.cpuUse() - m_cpu).nanoseconds / 1e6, milliseconds(Clock::now() - m_at)};
        m_side->measured.cpuMs += spent.cpuMs;
        m_side->measured.wallMs += spent.wallMs;
        m_side = nullptr;
        return spent;
    }

private:
    Side* m_side = nullptr;
    CpuUse m_cpu;
    Clock::time_point m_at;
};

RoundSample playRoundBesideFloor(XDisplay& x, Side& game, Side& floor)
{
    RoundSample sample;
    sample.pressesPerSecond = 10;
    game.count = 0;
    const auto firstPressDue = Clock::now() + 200ms;
    auto sideOf = [&](int press) -> Side& { return (press / BlockPresses) % 2 == 0 ? game : floor; };
    auto dueOf = [&](int press) { return firstPressDue + press * SideBySidePeriod; };
    Block block;
    double gameCpuMs = 0, gameWallMs = 0;
    auto closeBlock = [&] {
        const Block::Spent spent = block.close();
        if (spent.side == &game) {
            gameCpuMs += spent.cpuMs;
            gameWallMs += spent.wallMs;
        }
    };

    // The steps in order: a crossing before each block, each press, the last block's end.
    int press = 0;
    bool crossed = false;
    bool blocksDone = false;
    Clock::time_point firstTakenIn;
    const auto giveUp = firstPressDue + RoundLength + 15s;
    for (;;) {
        Clock::time_point due = giveUp;
        if (press < SideBySidePresses)
            due = press % BlockPresses == 0 && !crossed ? dueOf(press) - PointerLead : dueOf(press);
        else if (!blocksDone)
            due = dueOf(SideBySidePresses - 1) + PointerLead;
        const Seen seen = x.next(due);
        if (seen.kind == Seen::Kind::Deadline) {
            if (seen.at >= giveUp)
                throw std::runtime_error("no verdict after the minute");
            if (press >= SideBySidePresses) {
                closeBlock();
                blocksDone = true;
            } else if (press % BlockPresses == 0 && !crossed) {
                closeBlock();
                Side& next = sideOf(press);
                block.open(next);
                x.pointTo(next.pressX(), next.pressY());
                crossed = true;
            } else {
                Side& side = sideOf(press);
                const Clock::time_point sent = x.clickHere();
                if (press == 0)
                    firstTakenIn = x.roundTrip();
                ++side.count;
                ++side.measured.presses;
                side.inFlight.sent(side.count, sent);
                ++press;
                crossed = false;
            }
            for (Side* side : {&game, &floor})
                side->inFlight.giveUpOnSentBefore(Clock::now() - PressPatience);
        } else if (seen.kind == Seen::Kind::Damaged && touchesProbes(seen.area)) {
            for (Side* side : {&game, &floor})
                if (seen.window == side->board.window && side->inFlight.waiting())
                    side->inFlight.seen(x.pixels(side->board.window, DialProbes), seen.at);
        } else if (seen.kind == Seen::Kind::Mapped && x.titleOf(seen.window) == VerdictTitle) {
            if (!blocksDone)
                throw std::runtime_error("the verdict came before the minute was up");
            sample.lengthMs = milliseconds(seen.at - firstTakenIn);
            sample.cpuPercent = 100.0 * gameCpuMs / gameWallMs;
            closeVerdict(x, game.board, seen, sample);
            return sample;
        }
    }
}

// The floor beside the game, clear of it, at the same height.
ShownBoard placeBeside(XDisplay& x, const ShownBoard& game, ShownBoard floor)
{
    const WindowBox screen = x.screenBox();
    const int right = game.box.x + game.box.width + 40;
    const int left = game.box.x - 40 - floor.box.width;
    const int to = right + floor.box.width <= screen.width ? right : left;
    if (to < 0)
        throw std::runtime_error("the screen is too narrow for the game and the floor side by side");
    x.moveWindow(floor.window, to, game.box.y);
    x.idleUntil(Clock::now() + 300ms);
    floor.box = x.boxOf(floor.window);
    if (overlap(floor.box, game.box))
        throw std::runtime_error("the floor could not be moved off the game");
    return floor;
}
}

RoundsPlayed playRounds(XDisplay& x, const Program& game, const Program& floor, int sideBySide, int alone)
{
    RoundsPlayed played;
    const auto started = Clock::now();
    Process gameProcess({game.path});
    const ShownBoard gameBoard = waitForFirstBoard(x, game.title, started + 20s);
    {
        const auto floorStarted = Clock::now();
        Process floorProcess({floor.path});
        const ShownBoard floorBoard = placeBeside(x, gameBoard, waitForFirstBoard(x, floor.title, floorStarted + 20s));
        x.idleUntil(Clock::now() + 500ms);
        Side gameSide{gameProcess, gameBoard, PressesInFlight(gameDialColour), played.game};
        Side floorSide{floorProcess, floorBoard, PressesInFlight(floorDialColour), played.floor};
        for (int round = 0; round < sideBySide; ++round)
            played.rounds.push_back(playRoundBesideFloor(x, gameSide, floorSide));
        for (Side* side : {&gameSide, &floorSide}) {
            side->measured.latenciesMs = side->inFlight.latenciesMs();
            side->measured.unseen = side->inFlight.unseen();
        }
    }
    x.idleUntil(Clock::now() + 500ms);
    for (int round = 0; round < alone; ++round)
        played.rounds.push_back(playRoundAlone(x, gameProcess, gameBoard, 15));
    return played;
}

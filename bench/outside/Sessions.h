// What the harness does with a program under test: start it, leave it idle, flood it with clicks, play rounds.
#pragma once

#include "XDisplay.h"

#include <chrono>
#include <limits>
#include <string>
#include <vector>

struct Program {
    std::string path;
    std::string title;
    bool isGame = false;
};

// One start of one program: to its first board, ten idle seconds, then 2000 clicks as fast as xdotool sends them.
struct SessionSample {
    double startMs = 0;
    double peakMiB = 0;
    double idleCpuMs = 0;
    double idleWakeups = 0;
    bool burstCounted = false;
    // Not a number where the final board never came.
    double burstSettleMs = std::numeric_limits<double>::quiet_NaN();
};

SessionSample runSession(XDisplay& x, const Program& program);

struct RoundSample {
    int pressesPerSecond = 0;
    // From the reply to a round trip sent right behind the first click (the server had handled the click by
    // then) to the arrival of the verdict box's MapNotify: both are news from the server reaching us.
    double lengthMs = 0;
    // The game's CPU in percent of one core, over the round; where the floor shared the round, over the
    // blocks the game was pressed in.
    double cpuPercent = 0;
    // Below zero where the hand could not be read.
    int sweepTicks = -1;
};

// One program's side of the rounds where the game and the floor are pressed in turn, in blocks of presses.
struct PressedSide {
    int presses = 0;
    // From each press written to the server to the redraw after which the dial showed its colour.
    std::vector<double> latenciesMs;
    // Presses whose colour never showed within a second.
    int unseen = 0;
    // CPU and wall time summed over the blocks this program was pressed in.
    double cpuMs = 0;
    double wallMs = 0;
};

struct RoundsPlayed {
    std::vector<RoundSample> rounds;
    PressedSide game;
    PressedSide floor;
};

// One fresh start of the game, and of the floor beside it: first `sideBySide` rounds at 10 presses a second,
// the game and the floor pressed in alternate blocks; then `alone` rounds with only the game, at 15 presses a
// second. Every round is answered No; the first of them is the fresh game's first.
RoundsPlayed playRounds(XDisplay& x, const Program& game, const Program& floor, int sideBySide, int alone);

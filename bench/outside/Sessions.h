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
    double lengthMs = 0;
    double cpuPercent = 0;
    // Below zero where the hand could not be read.
    int sweepTicks = -1;
};

// Rounds one after another in one run of the game, each pressed at its own rate and answered No.
std::vector<RoundSample> playRounds(XDisplay& x, const Program& game, const std::vector<int>& pressesPerSecond);

// The floor pressed at a steady rate for as long as a round lasts: its CPU, in percent of one core.
double floorPressingCpuPercent(XDisplay& x, const Program& floor, int pressesPerSecond);

// The one table `make bench` prints: each metric for the game and the floor, their ratio, the goal and the verdict.
#pragma once

#include "Sessions.h"

#include <optional>
#include <ostream>
#include <vector>

struct PressBenchmark {
    double gameNanoseconds = 0;
    double floorNanoseconds = 0;
};

struct BenchResults {
    std::vector<SessionSample> game;
    std::vector<SessionSample> floor;
    RoundsPlayed played;
    // One press offscreen: the click, the rules and the sync alone, and the same with its paint delivered.
    std::optional<PressBenchmark> pressNoPaint;
    std::optional<PressBenchmark> pressWithPaint;
};

// Prints the table; true when every goal is met.
bool printReport(std::ostream& out, const BenchResults& results);

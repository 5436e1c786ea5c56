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
    std::vector<RoundSample> rounds;
    double floorPressingCpuPercent = 0;
    std::optional<PressBenchmark> press;
};

// Prints the table; true when every goal is met.
bool printReport(std::ostream& out, const BenchResults& results);

// The table's verdicts: each goal judged on the right figures, against the floor where it is relative.
#include "Report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
SessionSample session(double startMs, double peakMiB, double burstMs)
{
    SessionSample sample;
    sample.startMs = startMs;
    sample.peakMiB = peakMiB;
    sample.burstCounted = true;
    sample.burstSettleMs = burstMs;
    return sample;
}

PressedSide side(std::vector<double> latenciesMs, double cpuMs)
{
    PressedSide pressed;
    pressed.presses = static_cast<int>(latenciesMs.size());
    pressed.latenciesMs = std::move(latenciesMs);
    pressed.cpuMs = cpuMs;
    pressed.wallMs = 30000;
    return pressed;
}

// Every goal met by a margin: each test below breaks one of them.
BenchResults passing()
{
    BenchResults results;
    results.game = {session(105, 30, 300), session(110, 30, 300)};
    results.floor = {session(100, 29, 310), session(100, 29, 310)};
    std::vector<double> floorMs(200, 1.0), gameMs(200, 1.2);
    floorMs.back() = gameMs.back() = 4.0;
    results.played.game = side(gameMs, 330);
    results.played.floor = side(floorMs, 300);
    for (int round = 0; round < 3; ++round)
        results.played.rounds.push_back({10, 60001.5, 1.1, 600});
    results.pressNoPaint = PressBenchmark{1500, 700};
    return results;
}

// The verdict cell of the row whose metric starts with `metric`.
std::string verdictOf(const BenchResults& results, const std::string& metric)
{
    std::ostringstream out;
    printReport(out, results);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("| " + metric, 0) != 0)
            continue;
        const std::size_t end = line.find_last_not_of(" |");
        const std::size_t start = line.find_last_of(' ', end) + 1;
        return line.substr(start, end - start + 1);
    }
    return "row missing";
}

bool allMet(const BenchResults& results)
{
    std::ostringstream out;
    return printReport(out, results);
}

// A table that fails a run which met every goal would hide the real failures among false ones.
TEST(Report, ARunMeetingEveryGoalPasses)
{
    const BenchResults results = passing();
    EXPECT_TRUE(allMet(results));
    for (const char* metric : {"2000-click backlog", "one press offscreen, rules", "press to pixels at 10 presses/s, median",
                               "press to pixels at 10 presses/s, 99th", "CPU in a round at 10", "start to first",
                               "peak resident", "round length", "sweep ticks"})
        EXPECT_EQ(verdictOf(results, metric), "yes") << metric;
}

// Press to pixels is judged against the floor measured in the same run, at the median and the 99th percentile.
TEST(Report, PressToPixelsIsJudgedAgainstTheFloor)
{
    BenchResults slowMedian = passing();
    for (double& ms : slowMedian.played.game.latenciesMs)
        ms += 0.2;
    EXPECT_EQ(verdictOf(slowMedian, "press to pixels at 10 presses/s, median"), "NO");
    EXPECT_FALSE(allMet(slowMedian));

    BenchResults slowTail = passing();
    for (int i = 0; i < 3; ++i)
        slowTail.played.game.latenciesMs[i] = 5.5;
    EXPECT_EQ(verdictOf(slowTail, "press to pixels at 10 presses/s, median"), "yes");
    EXPECT_EQ(verdictOf(slowTail, "press to pixels at 10 presses/s, 99th"), "NO");

    // A slower floor in the same run raises the bar for the game alike.
    BenchResults busyMachine = slowTail;
    for (int i = 0; i < 3; ++i)
        busyMachine.played.floor.latenciesMs[i] = 5.0;
    EXPECT_EQ(verdictOf(busyMachine, "press to pixels at 10 presses/s, 99th"), "yes");

    BenchResults unseen = passing();
    unseen.played.game.unseen = 1;
    EXPECT_EQ(verdictOf(unseen, "press to pixels at 10 presses/s, median"), "NO");
}

// CPU, start, memory and the backlog are ratios to the floor; one a hair past its bound must fail.
TEST(Report, RatiosToTheFloorHoldTheirBounds)
{
    BenchResults cpu = passing();
    cpu.played.game.cpuMs = 361;
    EXPECT_EQ(verdictOf(cpu, "CPU in a round at 10"), "NO");

    BenchResults start = passing();
    start.game[0].startMs = start.game[1].startMs = 111;
    EXPECT_EQ(verdictOf(start, "start to first"), "NO");

    BenchResults memory = passing();
    memory.game[0].peakMiB = memory.game[1].peakMiB = 32;
    EXPECT_EQ(verdictOf(memory, "peak resident"), "NO");

    BenchResults backlog = passing();
    backlog.game[0].burstSettleMs = backlog.game[1].burstSettleMs = 320;
    EXPECT_EQ(verdictOf(backlog, "2000-click backlog"), "NO");

    BenchResults miscounted = passing();
    miscounted.game[1].burstCounted = false;
    EXPECT_EQ(verdictOf(miscounted, "2000-click backlog"), "NO");
}

// Every round counts, the first included: one round 2.5 ms off fails, and so does a run of too few rounds.
TEST(Report, EveryRoundMustLastTheMinute)
{
    BenchResults late = passing();
    late.played.rounds.front().lengthMs = 60002.5;
    EXPECT_EQ(verdictOf(late, "round length"), "NO");

    BenchResults early = passing();
    early.played.rounds.back().lengthMs = 59997.9;
    EXPECT_EQ(verdictOf(early, "round length"), "NO");

    BenchResults few = passing();
    few.played.rounds.pop_back();
    EXPECT_EQ(verdictOf(few, "round length"), "NO");
}

// The offscreen press has an absolute bound of 2 us for the game, whatever the floor costs.
TEST(Report, OffscreenPressHasAnAbsoluteBound)
{
    BenchResults slow = passing();
    slow.pressNoPaint = PressBenchmark{2100, 2000};
    EXPECT_EQ(verdictOf(slow, "one press offscreen, rules"), "NO");
}
}

// The headless player: what a script prints, and how it refuses a faulty line.
#include "Replay.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <sstream>
#include <string>

namespace {

struct Played {
    std::optional<ScriptFault> Fault;
    std::string Out;
};

Played play(const std::string& script)
{
    std::istringstream in(script);
    std::ostringstream out;
    const auto fault = PlayScript(in, out);
    return {fault, out.str()};
}

TEST(Replay, StatePrintsTheWholeBoard)
{
    const Played played = play("press\ntick 2\nstate\n");
    EXPECT_FALSE(played.Fault);
    EXPECT_EQ(played.Out,
              "Pushes 1\nSweepAngle 1.2\nBestPushes 0\nAskAgainDone 0\n"
              "Clock.Enabled true\nDegree.Enabled true\nButton.Enabled true\n"
              "Score.Caption 001 pushes\nRecord.Caption Record: 000 pushes\n"
              "Meter 1500 1500 1526.1786 0.22845727\n"
              "Timor 1500 1500 1531.4136 0.32897478\n"
              "Background.BackColor 1 255 0\n");
}

// Each prompt and answer is echoed, the carriage return written as \r so that a prompt stays one line.
TEST(Replay, EndEchoesEveryPromptAndAnswer)
{
    const std::string prompt = "prompt Blah: Did you try?\\rShould this message display again?\n";
    const Played played = play("press 5\nend yes yes no\n");
    EXPECT_FALSE(played.Fault);
    EXPECT_EQ(played.Out, prompt + "answer yes\n" + prompt + "answer yes\n" + prompt + "answer no\n");
}

// Like the window, the player delivers a tick or an end only while its timer runs.
TEST(Replay, TicksAndEndsWhileIdleDoNothing)
{
    const Played idle = play("tick 5\nend no\nstate\n");
    EXPECT_FALSE(idle.Fault);
    EXPECT_EQ(idle.Out, play("state\n").Out);
}

struct FaultRow {
    const char* Line;
    const char* What;
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.Line; }

class ReplayFault : public testing::TestWithParam<FaultRow> {};

// Comments and blank lines count as lines; the faulty line and everything after it are not played.
TEST_P(ReplayFault, FaultyLineStopsThePlayAndIsNamed)
{
    const Played played = play(std::string("# a round\n\npress\n") + GetParam().Line + "\nstate\n");
    ASSERT_TRUE(played.Fault);
    EXPECT_EQ(played.Fault->LineNumber, 4);
    EXPECT_EQ(played.Fault->What, GetParam().What);
    EXPECT_EQ(played.Out, "");
}

INSTANTIATE_TEST_SUITE_P(Lines, ReplayFault, testing::Values(
    FaultRow{"jump", "unknown command 'jump'"},
    FaultRow{"press 0", "count '0' is not a positive whole number"},
    FaultRow{"tick 2x", "count '2x' is not a positive whole number"},
    FaultRow{"press 18446744073709551616", "count '18446744073709551616' is not a positive whole number"},
    FaultRow{"tick 1 2", "'tick' takes at most one count"},
    FaultRow{"state now", "'state' takes no arguments"},
    FaultRow{"end maybe no", "answer 'maybe' is neither yes nor no"},
    FaultRow{"end no yes", "the answers to 'end' must end with exactly one 'no'"},
    FaultRow{"end no no", "the answers to 'end' must end with exactly one 'no'"}));

}

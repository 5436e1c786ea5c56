// The headless player: what a script prints, and how it refuses a faulty line.
#include "Replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

namespace {

struct Played {
    std::optional<ScriptFault> Fault;
    std::string Out;
};

Played play(const std::string& script, std::uint64_t countLimit = CountLimit)
{
    std::istringstream in(script);
    std::ostringstream out;
    const auto fault = PlayScript(in, out, countLimit);
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
    FaultRow{"press 0", "count '0' is not a whole number from 1 to 1000000"},
    FaultRow{"tick 2x", "count '2x' is not a whole number from 1 to 1000000"},
    FaultRow{"tick -5", "count '-5' is not a whole number from 1 to 1000000"},
    FaultRow{"press 1000001", "count '1000001' is not a whole number from 1 to 1000000"},
    FaultRow{"press 18446744073709551616", "count '18446744073709551616' is not a whole number from 1 to 1000000"},
    FaultRow{"tick 1 2", "'tick' takes at most one count"},
    FaultRow{"state now", "'state' takes no arguments"},
    FaultRow{"end maybe no", "answer 'maybe' is neither yes nor no"},
    FaultRow{"end no yes", "the answers to 'end' must end with exactly one 'no'"},
    FaultRow{"end no no", "the answers to 'end' must end with exactly one 'no'"}));


// The limit must leave every telling state in reach of one line: the needle back at the top after 360, the white dial
// from 720, and a record that stops at 32767.
TEST(Replay, OneLineAtTheLimitReachesEveryStateOfTheBoard)
{
    const Played played = play("press 1000000\ntick 1000000\nend no\nstate\n");
    ASSERT_FALSE(played.Fault);
    EXPECT_NE(played.Out.find("Record.Caption Record: 32767 pushes\n"), std::string::npos) << played.Out;
    EXPECT_NE(played.Out.find("Background.BackColor 255 255 255\n"), std::string::npos) << played.Out;
    EXPECT_NE(played.Out.find("Score.Caption 000 pushes\n"), std::string::npos) << played.Out;
}

// Yes answers count against the same limit as presses and ticks, each of them being one more prompt to print.
TEST(Replay, EndTakesAsManyYesAsTheLimit)
{
    const std::string prompt = "prompt Blah: You're supposed to click the button.\\rShould this message display again?\n";
    const Played three = play("press\nend yes yes yes no\n", 3);
    ASSERT_FALSE(three.Fault);
    EXPECT_EQ(std::count(three.Out.begin(), three.Out.end(), '\n'), 8) << three.Out;
    EXPECT_TRUE(three.Out.ends_with("answer yes\n" + prompt + "answer no\n")) << three.Out;
    const Played four = play("press\nend yes yes yes yes no\n", 3);
    ASSERT_TRUE(four.Fault);
    EXPECT_EQ(four.Fault->What, "'end' takes at most 3 answers yes");
}

// Scripts written on Windows or with tabs, and a last line without its newline, play as the plain script does.
TEST(Replay, CarriageReturnsTabsAndAMissingLastNewlinePlayAlike)
{
    const Played plain = play("press 3\ntick 2\nstate\n");
    EXPECT_EQ(play("press 3\r\n\ttick\t2 \r\nstate").Out, plain.Out);
    EXPECT_EQ(play("  press   3\n\n# tick 9\ntick 2\r\nstate\r\n").Out, plain.Out);
}

// However long a line, the player keeps only the start of a word, and counts it as one line.
TEST(Replay, LongLinesAreOneLineEachAndAFaultyWordIsQuotedShort)
{
    const std::string longComment = "# " + std::string(1'000'000, 'z') + "\n";
    const Played played = play(longComment + "press" + std::string(100'000, ' ') + "\n" + std::string(70, 'x') + "\n");
    ASSERT_TRUE(played.Fault);
    EXPECT_EQ(played.Fault->LineNumber, 3);
    EXPECT_EQ(played.Fault->What, "unknown command '" + std::string(40, 'x') + "...'");
}

// A word with bytes a terminal would act on, or that are not text, is shown with each such byte as \xNN.
TEST(Replay, FaultyWordsShowControlAndNonAsciiBytesEscaped)
{
    static constexpr char Script[] = "press\ntick \0\x1b[31m\x7f\xc3\xa9\\n\n";
    const Played played = play(std::string(Script, sizeof Script - 1));
    ASSERT_TRUE(played.Fault);
    EXPECT_EQ(played.Fault->LineNumber, 2);
    EXPECT_EQ(played.Fault->What, R"(count '\x00\x1b[31m\x7f\xc3\xa9\x5cn' is not a whole number from 1 to 1000000)");
}

}

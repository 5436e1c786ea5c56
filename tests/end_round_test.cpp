// The end of the minute: the verdict prompt, the record and what goes back to the idle board.
#include "Board.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string AskAgain = "\rShould this message display again?";

class EndRound : public testing::Test {
protected:
    // Plays a round of `presses` and ends it answering No at once; returns the one prompt text shown.
    std::string play(int presses)
    {
        for (int i = 0; i < presses; ++i)
            round.Press();
        std::vector<std::string> texts;
        round.EndRound([&](const std::string& text, const std::string&) {
            texts.push_back(text);
            return Answer::No;
        });
        EXPECT_EQ(texts.size(), 1u);
        return texts.empty() ? std::string() : texts.front();
    }

    Board board;
    Round round{board};
};

struct VerdictRow {
    int Presses;
    const char* Message;
};

void PrintTo(const VerdictRow& row, std::ostream* os) { *os << row.Presses << " presses"; }

class EndRoundVerdict : public EndRound, public testing::WithParamInterface<VerdictRow> {};

// Only the top row is strict; every other boundary count belongs to the row it starts.
TEST_P(EndRoundVerdict, CountAtABoundaryGetsItsRow)
{
    EXPECT_EQ(play(GetParam().Presses), GetParam().Message + AskAgain);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, EndRoundVerdict, testing::Values(
    VerdictRow{721, "Are you superhuman, or did you cheat?"}, VerdictRow{720, "Now THAT's speed!"},
    VerdictRow{630, "Now THAT's speed!"}, VerdictRow{629, "Did you really accomplish that?"},
    VerdictRow{345, "You were almost there..."}, VerdictRow{344, "You're good, but you should practice more."},
    VerdictRow{5, "Did you try?"}, VerdictRow{4, "You're supposed to click the button."},
    VerdictRow{0, "You're supposed to click the button."}));

// The prompt runs with everything stopped, and the record waits for the final No.
TEST_F(EndRound, AskAgainLoopShowsThePromptUntilNo)
{
    for (int i = 0; i < 12; ++i)
        round.Press();
    std::vector<std::string> texts;
    round.EndRound([&](const std::string& text, const std::string& title) {
        EXPECT_EQ(title, "Blah");
        EXPECT_FALSE(board.Clock.Enabled || board.Degree.Enabled || board.Button.Enabled);
        EXPECT_EQ(board.Record.Caption, "Record: 000 pushes");
        texts.push_back(text);
        return texts.size() < 4 ? Answer::Yes : Answer::No;
    });
    EXPECT_EQ(texts, std::vector<std::string>(4, "Did you try?" + AskAgain));
    EXPECT_EQ(board.Record.Caption, "Record: 12 pushes");
}

// Only a strictly longer round may touch the caption; an equal or shorter one leaves it as it is.
TEST_F(EndRound, OnlyALongerRoundReplacesTheRecordShownWithoutLeadingZeros)
{
    play(7);
    EXPECT_EQ(board.Record.Caption, "Record: 7 pushes");
    play(200);
    EXPECT_EQ(board.Record.Caption, "Record: 200 pushes");
    board.Record.Caption = "untouched";
    play(200);
    play(150);
    EXPECT_EQ(board.Record.Caption, "untouched");
    EXPECT_EQ(round.BestPushes, 200);
}

// The record holds 16 bits: a longer round keeps the largest it can hold instead of wrapping negative.
TEST_F(EndRound, RecordSaturatesAtTheLargestSixteenBitCount)
{
    play(40000);
    EXPECT_EQ(round.BestPushes, 32767);
    EXPECT_EQ(board.Record.Caption, "Record: 32767 pushes");
    play(100);
    EXPECT_EQ(round.BestPushes, 32767);
}

TEST_F(EndRound, EndResetsTheRoundButLeavesTheLastPicture)
{
    for (int i = 0; i < 50; ++i)
        round.Press();
    for (int i = 0; i < 30; ++i)
        round.SweepTick();
    board.Meter.X1 = 0;
    board.Meter.Y1 = 0;
    Board expected = board;
    play(0);
    expected.Clock.Enabled = false;
    expected.Degree.Enabled = false;
    expected.Meter.X1 = expected.Meter.X2 = expected.Meter.Y1 = 1500;
    expected.Meter.Y2 = 0;
    expected.Record.Caption = "Record: 50 pushes";
    EXPECT_EQ(board, expected);    // Score, Background and Timor as the round left them

    // The next round counts from one and sweeps from the top again.
    round.Press();
    round.SweepTick();
    EXPECT_TRUE(board.Clock.Enabled && board.Degree.Enabled);
    EXPECT_EQ(board.Score.Caption, "001 pushes");
    EXPECT_EQ(board.Timor.X2, 1515.7076f);
    EXPECT_EQ(board.Timor.Y2, 0.08224595f);
}

}

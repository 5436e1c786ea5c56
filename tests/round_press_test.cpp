// What a press and a sweep tick do to the board while a round runs.
#include "Board.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

class RoundPress : public testing::Test {
protected:
    void press(int times)
    {
        for (int i = 0; i < times; ++i)
            round.Press();
    }

    Board board;
    Round round{board};
};

TEST_F(RoundPress, FirstPressStartsTheRoundAndMovesEverythingOneStep)
{
    Board expected = board;
    press(1);
    expected.Clock.Enabled = true;
    expected.Degree.Enabled = true;
    expected.Score.Caption = "001 pushes";
    expected.Meter.X2 = 1526.1786f;
    expected.Meter.Y2 = 0.22845727f;
    expected.Background.BackColor = {1, 255, 0};
    EXPECT_EQ(board, expected);
    EXPECT_EQ(round.Pushes, 1);
}

// Only the first press of a round may switch the timers on; later ones must leave them as they are.
TEST_F(RoundPress, LaterPressesLeaveTheTimersAlone)
{
    press(1);
    board.Clock.Enabled = false;
    board.Degree.Enabled = false;
    press(2);
    EXPECT_FALSE(board.Clock.Enabled);
    EXPECT_FALSE(board.Degree.Enabled);
    EXPECT_EQ(board.Score.Caption, "003 pushes");
}

// The score keeps three digits with leading zeros and wraps at a thousand.
TEST_F(RoundPress, ScoreShowsTheCountAsThreeDigitsModuloAThousand)
{
    for (const auto& [count, caption] : {std::pair{1, "001"}, {42, "042"}, {999, "999"}, {1000, "000"}, {1234, "234"}}) {
        press(count - static_cast<int>(round.Pushes));
        EXPECT_EQ(board.Score.Caption, std::string(caption) + " pushes") << count;
    }
}

// The sweep hand goes by ticks of 0.6 degrees, is back at the top after 600, and moves nothing else.
TEST_F(RoundPress, SixHundredTicksTurnTheSweepHandOnceRound)
{
    press(1);
    Board expected = board;
    round.SweepTick();
    EXPECT_EQ(round.SweepAngle, 0.6);
    EXPECT_EQ(board.Timor.X2, 1515.7076f);
    EXPECT_EQ(board.Timor.Y2, 0.08224595f);
    for (int tick = 1; tick < 600; ++tick)
        round.SweepTick();
    EXPECT_NEAR(round.SweepAngle, 360.0, 1e-9);
    EXPECT_NEAR(board.Timor.X2, 1500.0f, 1e-3f);
    EXPECT_NEAR(board.Timor.Y2, 0.0f, 1e-3f);
    expected.Timor = board.Timor;
    EXPECT_EQ(board, expected);
}

}

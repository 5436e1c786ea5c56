// How the harness turns redraws into press-to-pixels times: which press a colour proves, and the percentiles.
#include "PressesInFlight.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using namespace std::chrono_literals;

// A ramp with a flat step, as the game's has past 540: counts 4 and 5 paint the same colour.
Rgb ramp(int count) { return {count == 5 ? 4 : count, 255, 0}; }

const Rgb Hand{0, 0, 255};
const Clock::time_point T0{};

// A press must be timed to the redraw that shows its own colour, not to one before it.
TEST(PressesInFlight, TimesAPressToTheRedrawShowingItsColour)
{
    PressesInFlight inFlight(ramp);
    ASSERT_TRUE(inFlight.sent(1, T0));
    inFlight.seen({ramp(0), ramp(0), ramp(0)}, T0 + 1ms);
    EXPECT_TRUE(inFlight.waiting());
    inFlight.seen({Hand, ramp(1), ramp(0)}, T0 + 3ms);
    EXPECT_FALSE(inFlight.waiting());
    ASSERT_EQ(inFlight.latenciesMs().size(), 1u);
    EXPECT_DOUBLE_EQ(inFlight.latenciesMs()[0], 3.0);
}

// Two presses drawn in one redraw both arrived then; the older one must not wait forever for its own colour.
TEST(PressesInFlight, ALaterColourAlsoProvesTheEarlierPresses)
{
    PressesInFlight inFlight(ramp);
    inFlight.sent(1, T0);
    inFlight.sent(2, T0 + 2ms);
    inFlight.sent(3, T0 + 4ms);
    inFlight.seen({ramp(2), Hand, Hand}, T0 + 6ms);
    ASSERT_EQ(inFlight.latenciesMs().size(), 2u);
    EXPECT_DOUBLE_EQ(inFlight.latenciesMs()[0], 6.0);
    EXPECT_DOUBLE_EQ(inFlight.latenciesMs()[1], 4.0);
    EXPECT_TRUE(inFlight.waiting());
    inFlight.seen({ramp(3), ramp(3), ramp(3)}, T0 + 10ms);
    ASSERT_EQ(inFlight.latenciesMs().size(), 3u);
    EXPECT_DOUBLE_EQ(inFlight.latenciesMs()[2], 6.0);
}

// A press that keeps the colour would be timed to the previous press's redraw: it is not measured at all.
TEST(PressesInFlight, APressThatKeepsTheColourIsNotMeasured)
{
    PressesInFlight inFlight(ramp);
    EXPECT_TRUE(inFlight.sent(4, T0));
    EXPECT_FALSE(inFlight.sent(5, T0 + 1ms));
    inFlight.seen({ramp(4)}, T0 + 2ms);
    EXPECT_EQ(inFlight.latenciesMs().size(), 1u);
    EXPECT_FALSE(inFlight.waiting());
}

// A press that never shows is counted as unseen, and a stale redraw cannot later give it a time.
TEST(PressesInFlight, PressesNeverShownAreCountedUnseen)
{
    PressesInFlight inFlight(ramp);
    inFlight.sent(1, T0);
    inFlight.sent(2, T0 + 500ms);
    inFlight.giveUpOnSentBefore(T0 + 100ms);
    EXPECT_EQ(inFlight.unseen(), 1);
    inFlight.seen({ramp(1)}, T0 + 600ms);
    EXPECT_TRUE(inFlight.latenciesMs().empty());
    inFlight.seen({ramp(2)}, T0 + 700ms);
    ASSERT_EQ(inFlight.latenciesMs().size(), 1u);
    EXPECT_DOUBLE_EQ(inFlight.latenciesMs()[0], 200.0);
    EXPECT_EQ(inFlight.unseen(), 1);
}

// The 99th percentile of a few hundred presses is one of the slowest measured, not a blend or the maximum.
TEST(NearestRank, PicksAMeasuredValueByRank)
{
    std::vector<double> values;
    for (int i = 300; i >= 1; --i)
        values.push_back(i);
    EXPECT_DOUBLE_EQ(nearestRank(values, 0.99), 297);
    EXPECT_DOUBLE_EQ(nearestRank(values, 0.5), 150);
    EXPECT_DOUBLE_EQ(nearestRank(values, 1.0), 300);
    EXPECT_DOUBLE_EQ(nearestRank({7}, 0.99), 7);
    EXPECT_TRUE(std::isnan(nearestRank({}, 0.5)));
}
}

// Hand ends and dial colours to the last bit, and the rounding they rely on.
#include "Dial.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <ostream>
#include <utility>

void PrintTo(const Colour& c, std::ostream* os) { *os << c.Red << ',' << c.Green << ',' << c.Blue; }

namespace {

struct DialRow {
    std::int64_t N;
    Colour Dial;
    float X2;
    float Y2;
};

void PrintTo(const DialRow& row, std::ostream* os) { *os << row.N << " presses"; }

class DialRows : public testing::TestWithParam<DialRow> {};

// Exact float equality: a hand end one bit off means a different order of operations or a different π.
TEST_P(DialRows, CountGivesTheExactColourAndNeedleEnd)
{
    const DialRow& row = GetParam();
    EXPECT_EQ(DialColour(row.N), row.Dial);
    const HandEnd end = NeedleEnd(DegreesToRadians(static_cast<double>(row.N)));
    EXPECT_EQ(end.X2, row.X2);
    EXPECT_EQ(end.Y2, row.Y2);
}

// Ties to even in every band (6, 18, 30, 90, 186, 354, 366, 372, 540), the band limits
// (179/180, 359/360, 719/720), blue clamped from 541 on, and the quarter turns on the dial's edge.
INSTANTIATE_TEST_SUITE_P(TellingCounts, DialRows, testing::Values(
    DialRow{1, {1, 255, 0}, 1526.1786f, 0.22845727f},
    DialRow{6, {8, 255, 0}, 1656.7927f, 8.2171574f},
    DialRow{18, {26, 255, 0}, 1963.5255f, 73.415222f},
    DialRow{30, {42, 255, 0}, 2250.0f, 200.9619f},
    DialRow{90, {128, 255, 0}, 3000.0f, 1500.0f},
    DialRow{179, {254, 255, 0}, 1526.1786f, 2999.7715f},
    DialRow{180, {255, 255, 0}, 1500.0f, 3000.0f},
    DialRow{186, {255, 246, 0}, 1343.2073f, 2991.783f},
    DialRow{198, {255, 230, 0}, 1036.4745f, 2926.5847f},
    DialRow{270, {255, 128, 0}, 0.0f, 1500.0f},
    DialRow{354, {255, 8, 0}, 1343.2073f, 8.2171583f},
    DialRow{359, {255, 1, 0}, 1473.8214f, 0.22845745f},
    DialRow{360, {255, 0, 0}, 1500.0f, 0.0f},
    DialRow{361, {255, 1, 1}, 1526.1786f, 0.22845708f},
    DialRow{366, {255, 4, 8}, 1656.7927f, 8.2171555f},
    DialRow{372, {255, 8, 17}, 1811.8676f, 32.778595f},
    DialRow{378, {255, 13, 26}, 1963.5255f, 73.415222f},
    DialRow{540, {255, 128, 255}, 1500.0f, 3000.0f},
    DialRow{541, {255, 128, 255}, 1473.8214f, 2999.7715f},
    DialRow{600, {255, 170, 255}, 200.9619f, 2250.0f},
    DialRow{719, {255, 254, 255}, 1473.8214f, 0.22845764f},
    DialRow{720, {255, 255, 255}, 1500.0f, 2.2737368e-13f}));

// Ties go to the even neighbour; a hair either side of a tie goes to the nearer integer.
TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    for (const auto& [in, out] : {std::pair{8.5, 8.0}, {25.5, 26.0}, {42.5, 42.0}, {127.5, 128.0}, {0.5, 0.0},
                                  {8.499999999999998, 8.0}, {8.500000000000002, 9.0}})
        EXPECT_EQ(RoundHalfEven(in), out) << std::setprecision(17) << in;
}

}

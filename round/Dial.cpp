// The dial's geometry and colour ramp, in the exact order of operations the board's colours depend on.
#include "Dial.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#if defined(__FAST_MATH__) || FLT_EVAL_METHOD != 0
#error "the dial needs plain IEEE double arithmetic: no fast-math, no extended precision"
#endif

// Every expression here is written in the order that fixes its last bit. The build keeps the
// compiler from fusing multiply and add or widening intermediates, so each step is one IEEE double.

namespace {
constexpr double Pi = 3.14159265;
constexpr double Centre = 1500;
constexpr double HandLength = 1500;

int component(double x) { return static_cast<int>(std::min(RoundHalfEven(x), 255.0)); }
}

double DegreesToRadians(double degrees) { return (degrees / 180) * Pi; }

double RoundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

HandEnd NeedleEnd(double theta)
{
    const double x = HandLength * std::sin(theta) + Centre;
    const double y = -HandLength * std::cos(theta) + Centre;
    return {static_cast<float>(x), static_cast<float>(y)};
}

Colour DialColour(std::int64_t n)
{
    const double count = static_cast<double>(n);
    if (n < 180)
        return {component(static_cast<double>(n * 255) / 180), 255, 0};
    if (n < 360)
        return {255, component(255 - ((count - 180) / 180) * 255), 0};
    if (n < 720)
        return {255, component(((count - 360) / 360) * 255), component(((count - 360) / 180) * 255)};
    return {255, 255, 255};
}

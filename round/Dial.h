// The dial's geometry and colour ramp: where a hand ends and what colour a count paints the dial.
#pragma once

#include "Controls.h"

#include <cstdint>

struct HandEnd {
    float X2 = 0;
    float Y2 = 0;
};

// θ in radians; both hands hang from the dial's centre and are 1500 twips long.
HandEnd NeedleEnd(double theta);

// n is the press count of a running round, at least 1.
Colour DialColour(std::int64_t n);

// Degrees to radians the way the game always has: divide by 180 first, then a π cut at 3.14159265.
double DegreesToRadians(double degrees);

// To the nearest integer, ties to the even one.
double RoundHalfEven(double x);

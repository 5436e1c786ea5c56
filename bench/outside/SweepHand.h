// Reads the sweep hand's angle off a screenshot of the board, finer than its 8-pixel width would suggest.
#pragma once

#include "XDisplay.h"

#include <optional>

// A strip of the board straight above the dial's centre, where the hand stands at the end of a minute.
struct SweepStrip {
    Image pixels;
    int left = 0;
    int top = 0;
};

// Degrees clockwise from 12 o'clock, from the centre of the hand's anti-aliased coverage in each row;
// nothing where a pixel is not a blend of the hand and the dial (the needle crossing the strip, say).
std::optional<double> sweepHandDegrees(const SweepStrip& strip);

// The sweep turns 0.6 degrees a tick; near the top at the end of a minute, that many ticks reached it.
int ticksForAngleNearTop(double degrees);

// The floor's count spelled out in its colour: painted by the floor program, read back by the probe.
#pragma once

#include "Controls.h"

// Green with no presses, like the game's dial; after that red = count mod 256, green = 255 - count / 256,
// so every count below 65536 has a colour of its own and a screenshot proves every press arrived.
constexpr Colour floorColour(int presses) { return {presses % 256, 255 - (presses / 256) % 256, 0}; }

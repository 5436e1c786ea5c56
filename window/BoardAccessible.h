// What a screen reader finds on the board: the button, and the painted dial and labels as objects of their own.
#pragma once

#include <QString>

#include <cstdint>

class Main;

enum class PaintedControl { Dial, Minute, Title, Score, Record };

// Lets assistive technology see the painted controls of every game window.
void installBoardAccessibility();

// Tells a listening screen reader that a painted label now reads differently.
void announceTextChange(Main& window, PaintedControl control);

// Tells a listening screen reader how much of the minute the sweep hand has gone.
void announceMinuteGone(Main& window);

// The count of a finished round as a screen reader should say it beside the verdict.
QString spokenCount(std::int64_t pushes, bool newRecord);

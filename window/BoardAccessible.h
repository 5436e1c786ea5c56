// What a screen reader finds on the board: the button, and the painted dial and labels as objects of their own.
#pragma once

#include "Board.h"
#include "Round.h"

#include <QString>

#include <cstdint>

class QPushButton;
class QWidget;

// What a screen reader is told of a game window, read through this rather than the window itself.
class BoardView {
public:
    virtual const Board& board() const = 0;
    virtual const Round& round() const = 0;
    virtual QPushButton& button() = 0;

protected:
    ~BoardView() = default;
};

enum class PaintedControl { Dial, Minute, Title, Score, Record };

// Lets assistive technology see the painted controls of every window that is also a BoardView.
void installBoardAccessibility();

// Tells a listening screen reader that a painted label now reads differently.
void announceTextChange(QWidget& window, PaintedControl control);

// Tells a listening screen reader how much of the minute the sweep hand has gone.
void announceMinuteGone(QWidget& window);

// The count of a finished round as a screen reader should say it beside the verdict.
QString spokenCount(std::int64_t pushes, bool newRecord);

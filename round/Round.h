// The rules of a round: what a press, a sweep tick and the end of the minute do to the board.
#pragma once

#include "Board.h"

#include <cstdint>
#include <functional>
#include <string>

enum class Answer : int { Yes = 6, No = 7 };

// Shows a modal question with the buttons Yes and No: text and title in, the answer out.
using YesNoPrompt = std::function<Answer(const std::string& text, const std::string& title)>;

class Round {
public:
    explicit Round(Board& board);

    void Press();
    void SweepTick();
    void EndRound(const YesNoPrompt& prompt);

    std::int64_t Pushes = 0;
    double SweepAngle = 0;
    std::int16_t BestPushes = 0;
    std::int16_t AskAgainDone = 0;

private:
    void askUntilNo(const std::string& text, const YesNoPrompt& prompt);
    void keepRecord();

    Timer& Clock;
    Timer& Degree;
    CommandButton& Button;
    Label& Score;
    Line& Meter;
    Line& Timor;
    Shape& Background;
    Label& Record;
};

// The rules of a round, step by step in the order the board shows them.
#include "Round.h"

#include "Dial.h"
#include "Verdicts.h"

#include <algorithm>
#include <limits>

namespace {
constexpr std::int16_t True = -1;
constexpr std::int16_t False = 0;
constexpr std::int64_t RecordLimit = std::numeric_limits<std::int16_t>::max();

std::string threeDigits(std::int64_t pushes)
{
    const std::string digits = std::to_string(pushes + 1000);
    return digits.substr(digits.size() - 3);
}
}

Round::Round(Board& board)
    : Clock(board.Clock), Degree(board.Degree), Button(board.Button), Score(board.Score),
      Meter(board.Meter), Timor(board.Timor), Background(board.Background), Record(board.Record)
{
}

void Round::Press()
{
    if (Pushes == 0) {
        Clock.Enabled = true;
        Degree.Enabled = true;
    }
    Pushes = Pushes + 1;
    Score.Caption = threeDigits(Pushes) + " pushes";
    const HandEnd end = NeedleEnd(DegreesToRadians(static_cast<double>(Pushes)));
    Meter.X2 = end.X2;
    Meter.Y2 = end.Y2;
    Background.BackColor = DialColour(Pushes);
}

void Round::SweepTick()
{
    SweepAngle = SweepAngle + 6.0 / 10.0;
    const HandEnd end = NeedleEnd(DegreesToRadians(SweepAngle));
    Timor.X2 = end.X2;
    Timor.Y2 = end.Y2;
}

void Round::EndRound(const YesNoPrompt& prompt)
{
    Clock.Enabled = false;
    Button.Enabled = false;
    Degree.Enabled = false;
    const std::string message{VerdictFor(Pushes)};
    askUntilNo(message + '\r' + "Should this message display again?", prompt);
    keepRecord();
    Pushes = 0;
    SweepAngle = 0;
    Meter.X1 = 1500;
    Meter.X2 = 1500;
    Meter.Y1 = 1500;
    Meter.Y2 = 0;
    Button.Enabled = true;
}

void Round::askUntilNo(const std::string& text, const YesNoPrompt& prompt)
{
    AskAgainDone = False;
    while (AskAgainDone == False)
        if (prompt(text, "Blah") == Answer::No)
            AskAgainDone = True;
}

// The record is a 16-bit number: a round beyond its range is kept as the largest it can hold,
// rather than wrapping into a wrong or negative record.
void Round::keepRecord()
{
    if (Pushes <= BestPushes)
        return;
    BestPushes = static_cast<std::int16_t>(std::min(Pushes, RecordLimit));
    Record.Caption = "Record: " + std::to_string(BestPushes) + " pushes";
}

// What the game thinks of a round's count: an ordered table, the first row that holds wins.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

struct Verdict {
    std::int64_t AtLeast;
    std::string_view Message;
};

// Only the top row is strict: exactly 720 presses are merely "speed". It is stored as 721 and up.
inline constexpr std::array<Verdict, 11> Verdicts{{
    {721, "Are you superhuman, or did you cheat?"},
    {630, "Now THAT's speed!"},
    {540, "Did you really accomplish that?"},
    {450, "Wow! You're amazingly fast!"},
    {360, "You're great at pressing buttons!"},
    {345, "You were almost there..."},
    {315, "You're good, but you should practice more."},
    {270, "Practice for a while, and you'll get it."},
    {180, "I'm sorry, but you REALLY need to practice."},
    {5, "Did you try?"},
    {INT64_MIN, "You're supposed to click the button."},
}};

std::string_view VerdictFor(std::int64_t pushes);

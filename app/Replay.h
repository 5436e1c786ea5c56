// The headless player: plays a script of presses, ticks and answers on the real rules.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

// The most presses, ticks or answers yes one line may ask for: well past every state the board can show (the
// record stops at 32767), and still played in a fraction of a second.
constexpr std::uint64_t CountLimit = 1'000'000;

struct ScriptFault {
    std::uint64_t LineNumber = 0;
    std::string What;
};

// Plays the script line by line; stops before the first faulty line and reports it, and stops early once the
// output can no longer be written.
std::optional<ScriptFault> PlayScript(std::istream& script, std::ostream& out, std::uint64_t countLimit = CountLimit);

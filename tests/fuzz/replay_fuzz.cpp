// Fuzzes the replay player: any bytes as a script, played on the real rules, and what every answer must look like.
#include "Replay.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// The player's own limit lets a 4 KB input run a few hundred million ticks; this one keeps every input to
// milliseconds, so that a slow input is a real find and not the limit at work. The limit itself is the suite's.
constexpr std::uint64_t FuzzCountLimit = 1000;

// Long enough for a message around a word quoted at its longest, every byte of it escaped.
constexpr std::size_t LongestFaultLine = 256;

bool isPrintable(char c) { return c >= 0x20 && c < 0x7f; }

// A fault is one short line of plain ASCII naming a line the script has.
bool faultIsSound(const ScriptFault& fault, const std::uint8_t* data, std::size_t size)
{
    const auto lines = static_cast<std::uint64_t>(std::count(data, data + size, '\n')) + 1;
    return fault.LineNumber >= 1 && fault.LineNumber <= lines && fault.What.size() <= LongestFaultLine
        && std::all_of(fault.What.begin(), fault.What.end(), isPrintable);
}

// The board is lines of plain ASCII, whatever the script held.
bool boardIsSound(const std::string& out)
{
    return std::all_of(out.begin(), out.end(), [](char c) { return c == '\n' || isPrintable(c); });
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    const auto fault = PlayScript(script, out, FuzzCountLimit);
    if ((fault && !faultIsSound(*fault, data, size)) || !boardIsSound(out.str()))
        std::abort();
    return 0;
}

// The headless player: plays a script of presses, ticks and answers on the real rules.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

struct ScriptFault {
    int LineNumber = 0;
    std::string What;
};

// Plays the script line by line; stops before the first faulty line and reports it.
std::optional<ScriptFault> PlayScript(std::istream& script, std::ostream& out);

// Entry of tastenrenner-replay: a script named on the command line (or standard input), the played board on standard output.
#include "Replay.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

std::string usage()
{
    const std::string limit = std::to_string(CountLimit);
    return "Usage: tastenrenner-replay [SCRIPT]\n"
           "Plays a script on the game's rules, without a window, and prints what the board shows.\n"
           "Reads SCRIPT, or standard input when SCRIPT is - or left out.\n"
           "\n"
           "A script has one command a line:\n"
           "  press [N]      press the button N times (once without N)\n"
           "  tick [N]       let the sweep hand tick N times; 600 ticks are the minute\n"
           "  end yes... no  end the round and answer the verdict: each yes shows it again, the one no closes it\n"
           "  state          print every property of the board\n"
           "Empty lines and lines starting with # are skipped. N is a whole number from 1 to " + limit + ",\n"
           "and one end takes at most " + limit + " yes: more would keep the player busy for nothing.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and exit\n"
           "\n"
           "Exit status: 0 when the script played to its end; 2 on a faulty script line, an unknown option,\n"
           "a script that cannot be opened or read, or output that cannot be written.\n";
}

// The one line a refused command line, a faulty line or an unreadable script gets; the status tools use for misuse.
int refuse(const std::string& why)
{
    std::cerr << "tastenrenner-replay: " << why << '\n';
    return 2;
}

// Why a file operation failed, as the system says it, where it said anything.
std::string because(int error)
{
    return error != 0 ? std::string(": ") + std::strerror(error) : std::string();
}

int play(std::istream& script, const std::string& name)
{
    const auto fault = PlayScript(script, std::cout);
    // A read error (a directory, a failing disk) ends the script just as its end does; the stream says which.
    const int readError = script.bad() ? errno : 0;
    std::cout.flush();
    // Once the board cannot be written the player stops where it is, so a fault further on may not have been seen.
    if (!std::cout)
        return refuse("cannot write the board to standard output");
    if (fault)
        return refuse("line " + std::to_string(fault->LineNumber) + ": " + fault->What);
    if (script.bad())
        return refuse("cannot read " + name + because(readError));
    return 0;
}

}

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    std::string scriptPath;
    bool haveScript = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            std::cout << usage();
            std::cout.flush();
            return std::cout ? 0 : refuse("cannot write the usage to standard output");
        }
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.size() > 1 && argument.starts_with('-'))
            return refuse("unknown option '" + std::string(argument) + "'; try --help");
        if (haveScript)
            return refuse("one script at a time: got '" + scriptPath + "' and '" + std::string(argument) + "'");
        scriptPath = argument;
        haveScript = true;
    }

    if (!haveScript || scriptPath == "-")
        return play(std::cin, "standard input");
    errno = 0;
    std::ifstream script(scriptPath);
    if (!script)
        return refuse("cannot open '" + scriptPath + "'" + because(errno));
    return play(script, "'" + scriptPath + "'");
}

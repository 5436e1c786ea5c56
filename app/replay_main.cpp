// Entry of tastenrenner-replay: a script on standard input, the played board on standard output.
#include "Replay.h"

#include <iostream>

int main()
{
    std::ios::sync_with_stdio(false);
    const auto fault = PlayScript(std::cin, std::cout);
    std::cout.flush();
    if (fault) {
        std::cerr << "tastenrenner-replay: line " << fault->LineNumber << ": " << fault->What << '\n';
        return 2;
    }
    return 0;
}

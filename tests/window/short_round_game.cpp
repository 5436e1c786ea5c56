// The game as its own entry runs it, with the minute shortened to the milliseconds given, for tests that play many rounds.
#include "Main.h"
#include "Startup.h"

#include <cstdlib>

int main(int argc, char* argv[])
{
    const int minute = argc > 1 ? std::atoi(argv[1]) : 1000;
    return playGame(argv[0], [minute](Main& window) { window.board().Clock.Interval = minute; });
}

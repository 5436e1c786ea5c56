// The game as its own entry runs it, with the minute shortened to the milliseconds given, for tests that play many rounds.
#include "Main.h"
#include "Startup.h"
#include "Termination.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    holdTerminationSignals();
    const auto application = startApplication(argv[0]);
    quitOnTerminationSignals();
    Main window;
    window.board().Clock.Interval = argc > 1 ? std::atoi(argv[1]) : 1000;
    window.show();
    const int status = application->exec();
    boundTheTeardown(status);
    return status;
}

// Entry of the game: start the toolkit, show the window, run until it is closed.
#include "Main.h"
#include "Startup.h"
#include "Termination.h"

#include <QApplication>

int main(int, char* argv[])
{
    holdTerminationSignals();
    const auto application = startApplication(argv[0]);
    quitOnTerminationSignals();
    Main window;
    window.show();
    const int status = application->exec();
    // The window and the toolkit are taken down on the way out, under the bound.
    boundTheTeardown(status);
    return status;
}

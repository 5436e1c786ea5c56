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
    return application->exec();
}

// Entry of the game: start the toolkit, show the window, run until it is closed.
#include "Main.h"
#include "Startup.h"

#include <QApplication>

int main(int, char* argv[])
{
    const auto application = startApplication(argv[0]);
    Main window;
    window.show();
    return application->exec();
}

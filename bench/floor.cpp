// The floor program: what a bare Qt Widgets window of the game's shape costs to start, hold and redraw.
#include "FloorWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FloorWindow window;
    window.show();
    return application.exec();
}

// Shows the game window as a round of N presses leaves it, played in-process, for comparing crops of the real game.
#include "GameWindow.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: record_reference PRESSES\n", stderr);
        return 2;
    }
    const int presses = std::atoi(argv[1]);
    Main window;
    if (!showAndWait(window, {.minute = 50, .tick = AnHour}))
        return 1;
    PromptAnswerer answerer(window);
    for (int i = 0; i < presses; ++i)
        window.button().click();
    if (!QTest::qWaitFor([&] { return answerer.shown == 1 && window.button().isEnabled(); }, 10000))
        return 1;
    QTest::qWait(200);
    // The test reads this line as "ready to be captured".
    std::printf("%s\n", window.board().Record.Caption.c_str());
    std::fflush(stdout);
    return application.exec();
}

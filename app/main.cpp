// Entry of the game: start the toolkit, show the window, run until it is closed.
#include "Startup.h"

int main(int, char* argv[]) { return playGame(argv[0]); }

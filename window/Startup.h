// The game from start to exit: one clear line where there is no window system, and an end that never hangs.
#pragma once

#include <functional>

class Main;

// The whole life of the game: the toolkit started, the window shown (after `adjust`, if given, has had it) until it
// is closed or a termination signal comes, and the teardown bounded. Returns the exit status.
int playGame(const char* programName, const std::function<void(Main&)>& adjust = {});

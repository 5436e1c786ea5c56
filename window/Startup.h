// Starting the toolkit: one clear line and a clean exit where there is no window system to show the game on.
#pragma once

#include <functional>

class Main;

// The whole life of the game: the toolkit started, the window shown (after `adjust`, if given, has had it) until it
// is closed or a termination signal comes, and the teardown bounded. Returns the exit status.
int playGame(const char* programName, const std::function<void(Main&)>& adjust = {});

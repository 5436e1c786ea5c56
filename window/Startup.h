// Starting the toolkit: one clear line and a clean exit where there is no window system to show the game on.
#pragma once

#include <memory>

class QApplication;

// Exits the process with status 2, after one line on standard error, if no display can be reached.
std::unique_ptr<QApplication> startApplication(const char* programName);

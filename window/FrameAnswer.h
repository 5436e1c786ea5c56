// Taking a window down only once the compositor has answered its last frame.
#pragma once

#include <functional>

class QWidget;

// On Wayland the toolkit frees the callback of a window's last frame on its frame thread, and frees it again on the
// main thread when the window goes down; should the two meet, the process aborts. Where that can happen, runs `then`
// once the callback has been answered and freed, or after a bound if the compositor does not answer (it shows the
// window nowhere), and returns true; elsewhere returns false and leaves `then` alone.
bool holdUntilFrameAnswered(QWidget& widget, std::function<void()> then);

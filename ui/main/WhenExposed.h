#pragma once

#include <functional>

class QWidget;

namespace lapidor {

// Runs an action once the window is first exposed on the screen. Under a
// window manager a window's position is final only then, so a box meant to
// stand centred over it must wait for this. Call it once the window has
// been shown.
void whenExposed(QWidget* window, std::function<void()> action);

} // namespace lapidor

#pragma once

#include <memory>

namespace lapidor {

class MainWindow;

// The program's start-up: makes the main window, reads the level table
// into it, then shows it. Closing that window saves its placement, and the
// program ends with it.
class Startup {
public:
    Startup();
    ~Startup();

    void start();
    MainWindow* mainWindow() const { return mainWindow_.get(); }

private:
    std::unique_ptr<MainWindow> mainWindow_;
};

} // namespace lapidor

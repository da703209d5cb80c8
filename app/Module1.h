#pragma once

#include <memory>

namespace lapidor {

class MainWindow;

// The program's start-up: makes the main window, keeps it, and shows it.
// Closing that window runs the unload step, and the program ends with it.
class Module1 {
public:
    Module1();
    ~Module1();

    void startUp();
    MainWindow* mainWindow() const { return frmMain_.get(); }

private:
    std::unique_ptr<MainWindow> frmMain_;
};

} // namespace lapidor

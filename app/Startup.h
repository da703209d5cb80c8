#pragma once

#include <QtGlobal>

#include <memory>

namespace lapidor {

class MainWindow;
class TerminationSignals;

// The program's start-up: makes the main window, reads the level table
// into it, then shows it. Closing that window saves its placement, and the
// program ends with it. Once it is shown, SIGTERM, SIGINT and SIGHUP close
// it too (not on Windows).
class Startup {
public:
    Startup();
    ~Startup();

    void start();
    MainWindow* mainWindow() const { return mainWindow_.get(); }

private:
    std::unique_ptr<MainWindow> mainWindow_;
#ifndef Q_OS_WIN
    std::unique_ptr<TerminationSignals> terminationSignals_; // destroyed before the window it closes
#endif
};

} // namespace lapidor

// The real program's start-up, stopped once its main window has painted.
#include "app/ApplicationIdentity.h"
#include "app/Startup.h"
#include "bench/startup/FirstShown.h"
#include "ui/main/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::identifyApplication();
    lapidor::Startup startup;
    startup.start();
    return runUntilFirstShown(*startup.mainWindow());
}

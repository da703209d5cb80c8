// The real program's start-up, stopped once its main window has painted.
#include "app/ApplicationIdentity.h"
#include "bench/startup/FirstShown.h"
#include "ui/main/MainWindow.h"
#include "app/Module1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::identifyApplication();
    lapidor::Module1 module;
    module.startUp();
    return runUntilFirstShown(*module.mainWindow());
}

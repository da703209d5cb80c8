// The real program's start-up, stopped once its main window has painted.
#include "ApplicationIdentity.h"
#include "FirstShown.h"
#include "MainWindow.h"
#include "Module1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::identifyApplication();
    lapidor::Module1 module;
    module.startUp();
    return runUntilFirstShown(*module.mainWindow());
}

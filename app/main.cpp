#include "app/ApplicationIdentity.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::identifyApplication();

    lapidor::Startup startup;
    startup.start();
    return app.exec();
}

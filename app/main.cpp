#include "app/ApplicationIdentity.h"
#include "app/Module1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::identifyApplication();

    lapidor::Module1 module;
    module.startUp();
    return app.exec();
}

#include "app/ApplicationIdentity.h"
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "app/Translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = lapidor::CommandLine::answerInformationOptions(argc, argv))
        return *status;
    QApplication app(argc, argv);
    if (const auto status = lapidor::CommandLine::refuseLeftoverArguments(QApplication::arguments()))
        return *status;
    lapidor::installTranslations(app);
    lapidor::identifyApplication();

    lapidor::Startup startup;
    startup.start();
    return app.exec();
}

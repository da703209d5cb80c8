#include "app/ApplicationIdentity.h"
#include "app/CommandLine.h"
#include "app/StandardStreams.h"
#include "app/Startup.h"
#include "app/Translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const bool outputWasClosed = lapidor::keepStandardStreamsOpen();
    if (const auto status = lapidor::CommandLine::answer(argc, argv, outputWasClosed))
        return *status;
    QApplication app(argc, argv);
    // Qt has taken its own options out of argc and argv.
    if (const auto status = lapidor::CommandLine::refuseLeftoverArguments(argc, argv))
        return *status;
    lapidor::installTranslations(app);
    lapidor::identifyApplication();

    lapidor::Startup startup;
    startup.start();
    return app.exec();
}

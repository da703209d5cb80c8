#include "app/Startup.h"

#include "app/ClosingStep.h"
#include "app/LevelsLoading.h"
#include "levels/LevelsReader.h"
#include "ui/main/MainWindow.h"

#ifndef Q_OS_WIN
#include "app/TerminationSignals.h"
#endif

namespace lapidor {

Startup::Startup() = default;
Startup::~Startup() = default;

void Startup::start()
{
    mainWindow_ = std::make_unique<MainWindow>();
    QObject::connect(mainWindow_.get(), &MainWindow::closing, mainWindow_.get(),
                     [window = mainWindow_.get()] { closingStep(*window); });
    // The levels file in the working folder, read once, before the window appears.
    auto loaded = loadLevels(QString::fromUtf8(levelsFileName.data(), qsizetype(levelsFileName.size())));
    mainWindow_->setLevels(std::move(loaded.levels), loaded.warningText);
    mainWindow_->show();
#ifndef Q_OS_WIN
    terminationSignals_ = std::make_unique<TerminationSignals>(*mainWindow_);
#endif
}

} // namespace lapidor

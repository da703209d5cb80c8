#include "app/Module1.h"

#include "levels/LevelsReader.h"
#include "ui/main/MainWindow.h"
#include "app/UnloadStep.h"

#include <QSettings>

namespace lapidor {

Module1::Module1() = default;
Module1::~Module1() = default;

void Module1::startUp()
{
    frmMain_ = std::make_unique<MainWindow>(QString::fromUtf8(levelsFileName.data(), qsizetype(levelsFileName.size())));
    QObject::connect(frmMain_.get(), &MainWindow::unloading, frmMain_.get(), [window = frmMain_.get()] {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lapidor"),
                           QStringLiteral("Lapidor"));
        unloadStep(*window, settings);
    });
    // Showing the window first loads the level table into it.
    frmMain_->show();
}

} // namespace lapidor

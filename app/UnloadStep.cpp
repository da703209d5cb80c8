#include "app/UnloadStep.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QSettings>
#include <QWidget>

namespace lapidor {

namespace {

void closeOtherWindows(const QWidget& mainWindow)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &mainWindow && window->isVisible())
            window->close();
}

// A number of twips as the settings hold it: a single-precision value with
// at most seven significant digits, no separators, a minus sign when negative.
QString twipsText(int pixels)
{
    return QString::number(double(float(pixels * twipsPerPixel)), 'g', 7);
}

void savePlacement(const QWidget& window, QSettings& settings)
{
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), twipsText(window.frameGeometry().left()));
    settings.setValue(QStringLiteral("MainTop"), twipsText(window.frameGeometry().top()));
    settings.setValue(QStringLiteral("MainWidth"), twipsText(window.frameGeometry().width()));
    settings.setValue(QStringLiteral("MainHeight"), twipsText(window.frameGeometry().height()));
    settings.endGroup();

    // A settings store that cannot be written must not keep the program open.
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning("Lapidor could not save the window placement to %s", qPrintable(settings.fileName()));
}

} // namespace

void unloadStep(QWidget& mainWindow, QSettings& settings)
{
    closeOtherWindows(mainWindow);
    if (!mainWindow.isMinimized())
        savePlacement(mainWindow, settings);
}

} // namespace lapidor

#include "app/ClosingStep.h"

#include "app/SettingsStore.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QWidget>

namespace lapidor {

namespace {

void closeOtherWindows(const QWidget& mainWindow)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != &mainWindow && window->isVisible())
            window->close();
}

void savePlacement(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    saveSettings(QStringLiteral("Settings"),
                 {
                     {QStringLiteral("MainLeft"), twipsText(frame.left())},
                     {QStringLiteral("MainTop"), twipsText(frame.top())},
                     {QStringLiteral("MainWidth"), twipsText(frame.width())},
                     {QStringLiteral("MainHeight"), twipsText(frame.height())},
                 });
}

} // namespace

QString twipsText(int pixels)
{
    // In floating point: a window far off the screen must not overflow.
    return QString::number(double(float(double(pixels) * twipsPerPixel)), 'g', 7);
}

void closingStep(QWidget& mainWindow)
{
    closeOtherWindows(mainWindow);
    if (!mainWindow.isMinimized())
        savePlacement(mainWindow);
}

} // namespace lapidor

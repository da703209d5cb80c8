#include "app/ApplicationIdentity.h"

#include <QApplication>
#include <QIcon>

// Resources of a static library are registered by hand, outside any namespace.
static void registerIcons()
{
    Q_INIT_RESOURCE(lapidor);
}

namespace lapidor {

void identifyApplication()
{
    registerIcons();
    QApplication::setApplicationName(QStringLiteral("Lapidor"));
    QApplication::setApplicationVersion(QStringLiteral(LAPIDOR_VERSION)); // from CMake's project version
    QApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lapidor.png")));
}

} // namespace lapidor

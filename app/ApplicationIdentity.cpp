#include "app/ApplicationIdentity.h"

#include <QApplication>
#include <QIcon>

namespace lapidor {

void identifyApplication()
{
    QApplication::setApplicationName(QStringLiteral("Lapidor"));
    QApplication::setApplicationVersion(QStringLiteral(LAPIDOR_VERSION)); // from CMake's project version
    QApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lapidor.png"))); // app/CMakeLists.txt embeds it
}

} // namespace lapidor

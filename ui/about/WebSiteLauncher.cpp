#include "ui/about/WebSiteLauncher.h"

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace lapidor {

bool openWebSite(const QString& address)
{
#ifdef Q_OS_WIN
    QProcess explorer;
    explorer.setProgram(QStringLiteral("explorer.exe"));
    explorer.setArguments({address});
    explorer.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
    return explorer.startDetached();
#else
    return QDesktopServices::openUrl(QUrl(address));
#endif
}

} // namespace lapidor

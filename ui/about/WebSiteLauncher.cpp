#include "ui/about/WebSiteLauncher.h"

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace lapidor {

namespace {

std::function<bool(const WebSiteCommand&)>& commandStarter()
{
    static std::function<bool(const WebSiteCommand&)> starter;
    return starter;
}

#ifdef Q_OS_WIN
bool start(const WebSiteCommand& command)
{
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setCreateProcessArgumentsModifier(
        [minimised = command.minimised](QProcess::CreateProcessArguments* arguments) {
            if (!minimised)
                return;
            arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            arguments->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
    return process.startDetached();
}
#endif

} // namespace

WebSiteCommand webSiteCommand(const QString& address)
{
    return {QStringLiteral("explorer.exe"), {address}, true};
}

void setWebSiteCommandStarter(std::function<bool(const WebSiteCommand&)> starter)
{
    commandStarter() = std::move(starter);
}

bool openWebSite(const QString& address)
{
#ifdef Q_OS_WIN
    const auto command = webSiteCommand(address);
    return commandStarter() ? commandStarter()(command) : start(command);
#else
    return QDesktopServices::openUrl(QUrl(address));
#endif
}

} // namespace lapidor

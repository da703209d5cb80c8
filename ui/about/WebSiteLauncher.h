#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace lapidor {

// How Windows opens a web address for Lapidor: explorer.exe with the
// address, its window minimised, and not waited for.
struct WebSiteCommand {
    QString program;
    QStringList arguments;
    bool minimised = false;
};
WebSiteCommand webSiteCommand(const QString& address);

// Opens a web address with the desktop's own opener and returns at once,
// without waiting for it. False when nothing could be started.
//
// On Windows this runs webSiteCommand(). Elsewhere it goes through
// QDesktopServices, whose URL handlers let tests stand in for the browser.
bool openWebSite(const QString& address);

// On Windows, tests stand in here for the start of the command; an empty
// function brings back the real start.
void setWebSiteCommandStarter(std::function<bool(const WebSiteCommand&)> starter);

} // namespace lapidor

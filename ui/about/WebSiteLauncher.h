#pragma once

#include <QString>

namespace lapidor {

// Opens a web address with the desktop's own opener and returns at once,
// without waiting for it. False when nothing could be started.
//
// On Windows this runs explorer.exe with the address, minimised. Elsewhere it
// goes through QDesktopServices, whose URL handlers let tests stand in for
// the browser.
bool openWebSite(const QString& address);

} // namespace lapidor

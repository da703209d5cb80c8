#pragma once

class QSettings;
class QWidget;

namespace lapidor {

// What closing the main window does, once: every other open window of the
// program is closed, then, unless the window is minimised, its placement is
// written to the settings as "MainLeft", "MainTop", "MainWidth" and
// "MainHeight" in the "Settings" group, each in twips. The placement is
// only ever written, never read back.
void unloadStep(QWidget& mainWindow, QSettings& settings);

} // namespace lapidor

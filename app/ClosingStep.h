#pragma once

class QString;
class QWidget;

namespace lapidor {

// What closing the main window does, once: every other open window of the
// program is closed, then, unless the window is minimised, its placement is
// written to the settings as "MainLeft", "MainTop", "MainWidth" and
// "MainHeight" in the "Settings" group, each in twips. The placement is
// only ever written, never read back.
void closingStep(QWidget& mainWindow);

// A number of pixels in twips as the settings hold it: a single-precision
// value with at most seven significant digits, no separators, a minus sign
// when negative.
QString twipsText(int pixels);

} // namespace lapidor

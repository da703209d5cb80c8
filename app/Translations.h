#pragma once

class QCoreApplication;

namespace lapidor {

// Makes the program speak the user's language where it has a translation
// (built into the program), together with Qt's own words for that language
// (the standard buttons, the line edits' context menu). In any other
// language it speaks English, as written in the code.
void installTranslations(QCoreApplication& application);

} // namespace lapidor

#pragma once

class QString;
class QWidget;

namespace lapidor {

// A warning centred over a window that blocks the window until it is read,
// without blocking the caller. It deletes itself once closed.
void showWarning(QWidget* window, const QString& message);

} // namespace lapidor

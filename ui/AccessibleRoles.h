#pragma once

#include <QAccessible>

class QWidget;

namespace lapidor {

// What some of Lapidor's widgets are to assistive technology, such as a
// screen reader, where Qt's own guess would mislead its user:
// - a rule between parts of a window (every widget named "Line1", whatever
//   class draws it) is a separator, and has no name;
// - a widget given a role of its own with setAccessibleRole() has that role;
// - a widget left out with hideFromScreenReaders() is invisible there, with
//   no children.
// Qt keeps what it first made of a widget, so each window installs this
// before it makes its widgets, and marks a widget before it is shown; a
// second installation does nothing.
void installAccessibleRoles();

void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// For a widget no one sees, such as one that stands outside the window: the
// program goes on using it, a screen reader passes it over.
void hideFromScreenReaders(QWidget* widget);

} // namespace lapidor

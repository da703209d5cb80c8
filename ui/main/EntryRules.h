#pragma once

#include <QString>

namespace lapidor {

// What keeps a field's text within its limits. While the player edits a
// field, the rules either keep its text or replace it whole by one of a few
// fixed texts; it may be empty, so that Backspace and Delete work as in any
// text field. Once he leaves it, it is refilled, and a number loses its
// leading zeros ("0400" shows as "400").
struct EntryRule {
    QString (*onChange)(const QString& text); // after every change
    QString (*onLeave)(const QString& text);  // once the field is left, or Calculate is pressed
};

// A gem count: at most 9999, by value ("01234" stays while it is edited);
// left empty, "0".
extern const EntryRule gemCountRule;

// The current experience: at most 248292513235; left empty, "0".
extern const EntryRule experienceRule;

// The current level: at most 200; left empty or "0" (or "00"), "1". That
// "0" waits until the field is left, so that "05" can be typed.
extern const EntryRule levelRule;

} // namespace lapidor

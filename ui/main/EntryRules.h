#pragma once

#include <QString>

namespace lapidor {

// What keeps a field's text within its limits. The rules never reformat a
// text: they either keep it or replace it whole by one of a few fixed texts.
// While the player edits a field it may be empty, so that Backspace and
// Delete work as in any text field; it is refilled once he leaves it.
struct EntryRule {
    QString (*onChange)(const QString& text); // after every change
    QString (*onLeave)(const QString& text);  // once the field is left, or Calculate is pressed
};

// A gem count: at most 9999, by value ("01234" stays); left empty, "0".
extern const EntryRule gemCountRule;

// The current experience: at most 248292513235; left empty, "0".
extern const EntryRule experienceRule;

// The current level: at most 200; left empty or "0", "1". That "0" waits
// until the field is left, so that "05" can be typed.
extern const EntryRule levelRule;

} // namespace lapidor

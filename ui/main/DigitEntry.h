#pragma once

#include <QString>

#include <optional>

namespace lapidor {

// What an entry field does with a key press.
enum class KeyVerdict {
    Pass,      // the field takes the key as usual: a digit, Backspace, an arrow, a shortcut
    Refuse,    // it would type something other than digits: dropped, and the player told why
    MoveFocus, // Enter: dropped, and the focus moves on as if Tab were pressed
};

// Enter moves on. A key whose text holds any character that is not a
// control code passes only when that text is all ASCII digits, so that no
// letter, sign, format character, private-use character or character
// beyond the basic plane can slip in; keys that type only control codes
// (Backspace, Delete) pass, and so do Ctrl, Alt and Meta shortcuts (copy,
// paste, select all, undo), whose text some platforms give as the letter.
// Whatever a shortcut inserts still meets the field's validator.
KeyVerdict keyVerdict(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// Text that reaches a field in one piece (pasted, dropped, committed by an
// input method): spaces, tabs and line breaks at both ends are dropped;
// nothing when what is left is not all ASCII digits 0 to 9.
std::optional<QString> digitsOnly(const QString& piece);

// Why a field refused what was typed or put in.
QString digitsOnlyReason();

} // namespace lapidor

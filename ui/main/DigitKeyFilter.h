#pragma once

#include <QObject>

namespace lapidor {

enum class KeyVerdict {
    Pass,      // the field takes the character
    Discard,   // the character is dropped
    MoveFocus, // dropped, and the focus moves on as if Tab were pressed
};

// What the entry fields do with one typed character: digits and Backspace
// pass, Enter moves on, everything else is dropped.
KeyVerdict filterDigitKey(char16_t code);

// Applies filterDigitKey to the characters typed into the fields it watches.
// Keys that type no character (arrows, Delete, Tab, editing shortcuts) are
// left alone, and so is pasted text; what an input method commits is
// filtered like typed keys.
class DigitKeyFilter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace lapidor

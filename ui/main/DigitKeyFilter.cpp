#include "ui/main/DigitKeyFilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace lapidor {

KeyVerdict filterDigitKey(char16_t code)
{
    if (code == u'\r')
        return KeyVerdict::MoveFocus;
    if (code == u'\b' || (code >= u'0' && code <= u'9'))
        return KeyVerdict::Pass;
    return KeyVerdict::Discard;
}

namespace {

// The character a key press types, or 0 for a key that types none. A line
// edit inserts only printable characters, so control codes from Delete,
// Escape or Ctrl shortcuts type nothing and need no filtering.
char16_t typedCharacter(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return u'\r';
    if (key.key() == Qt::Key_Backspace)
        return u'\b';
    const QString text = key.text();
    if (text.isEmpty() || !text.front().isPrint())
        return 0;
    // An input method may deliver several characters at once; one that does
    // not pass drops them all.
    for (const QChar c : text)
        if (filterDigitKey(c.unicode()) != KeyVerdict::Pass)
            return c.unicode();
    return text.front().unicode();
}

// Text an input method (compose, dead keys) commits is typed text too:
// only the characters the key filter lets pass are kept.
void filterCommit(QInputMethodEvent& event)
{
    QString kept;
    for (const QChar c : event.commitString())
        if (filterDigitKey(c.unicode()) == KeyVerdict::Pass)
            kept += c;
    if (kept != event.commitString())
        event.setCommitString(kept, event.replacementStart(), event.replacementLength());
}

} // namespace

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::InputMethod) {
        filterCommit(*static_cast<QInputMethodEvent*>(event));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const char16_t code = typedCharacter(*static_cast<QKeyEvent*>(event));
    if (code == 0)
        return false;
    switch (filterDigitKey(code)) {
    case KeyVerdict::Pass:
        return false;
    case KeyVerdict::Discard:
        return true;
    case KeyVerdict::MoveFocus:
        // Tab is pressed once this key event is over, so the focus moves on
        // exactly as it would for a real Tab.
        QCoreApplication::postEvent(watched, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return true;
    }
    return false;
}

} // namespace lapidor

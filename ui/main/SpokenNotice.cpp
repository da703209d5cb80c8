#include "ui/main/SpokenNotice.h"

#include "ui/AccessibleRoles.h"

namespace lapidor {

SpokenNotice::SpokenNotice(QWidget* parent)
    : QWidget(parent)
{
    installAccessibleRoles();
    setAccessibleRole(this, QAccessible::Notification);
    setFixedSize(0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SpokenNotice::say(const QString& text)
{
    setAccessibleName(text);
    QAccessibleEvent appeared(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appeared);
}

} // namespace lapidor

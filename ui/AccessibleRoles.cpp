#include "ui/AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace lapidor {

namespace {

constexpr char roleProperty[] = "lapidorAccessibleRole";
constexpr char hiddenProperty[] = "lapidorHiddenFromScreenReaders";

class RoleAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QString text(QAccessible::Text part) const override
    {
        // Qt would name a separator after the frame around it.
        if (part == QAccessible::Name && role() == QAccessible::Separator)
            return {};
        return QAccessibleWidget::text(part);
    }
};

class HiddenAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(hiddenProperty).toBool())
        return new HiddenAccessible(widget);
    if (widget->objectName() == QLatin1String("Line1"))
        return new RoleAccessible(widget, QAccessible::Separator);
    if (const QVariant role = widget->property(roleProperty); role.isValid())
        return new RoleAccessible(widget, QAccessible::Role(role.toInt()));
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    widget->setProperty(roleProperty, int(role));
}

void hideFromScreenReaders(QWidget* widget)
{
    widget->setProperty(hiddenProperty, true);
}

} // namespace lapidor

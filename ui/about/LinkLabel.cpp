#include "ui/about/LinkLabel.h"

#include "ui/ReadableColour.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace lapidor {

namespace {

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text part) const override
    {
        if (part == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<LinkLabel*>(widget())->text();
        return QAccessibleWidget::text(part);
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        // Followed once the request is answered: where the address cannot
        // be opened, a warning waits for the player, and the request must
        // not wait with it.
        auto* link = static_cast<LinkLabel*>(widget());
        QMetaObject::invokeMethod(link, &LinkLabel::clicked, Qt::QueuedConnection);
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    auto* link = qobject_cast<LinkLabel*>(object);
    return link ? new LinkAccessible(link) : nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString& text, const QColor& linkColour, QWidget* parent)
    : QLabel(parent)
    , linkColour_(linkColour)
{
    // Qt keeps what it first made of a widget for assistive technology; the
    // text is set only now, so that it is first asked about once the label
    // is a link.
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
}

QColor LinkLabel::shownColour() const
{
    return readableColour(linkColour_, palette());
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && modifiers == Qt::NoModifier) {
        if (!event->isAutoRepeat()) // a key held down opens the address once
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

// Drawn as a plain label draws its text, in the colour chosen for the
// palette at hand, so that a change of palette repaints it right.
void LinkLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!painter.isActive()) // no surface to paint on: a window far too large for memory
        return;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, shownColour());
    const int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()));
    style()->drawItemText(&painter, contentsRect(), flags, palette, isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) { // around the text, as the style draws it for a focused button
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect
            = style()->itemTextRect(fontMetrics(), contentsRect(), flags, isEnabled(), text()).adjusted(-1, 0, 1, 0);
        frame.rect &= rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

} // namespace lapidor

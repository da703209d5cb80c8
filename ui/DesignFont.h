#pragma once

#include <QFont>

namespace lapidor {

// The bold Tahoma of the windows' design, or the nearest sans-serif face
// where the system has no Tahoma.
inline QFont tahomaBold(qreal points)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace lapidor

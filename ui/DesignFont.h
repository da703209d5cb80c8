#pragma once

#include <QFont>
#include <QStringList>

namespace lapidor {

// The bold Tahoma of the windows' design. Where a system has no Tahoma
// (Linux; wine without its own fonts), the first of a few common sans-serif
// faces that it has, each with a bold face: a bare style hint can fall back
// to a serif without bold on Windows' font matching.
inline QFont tahomaBold(qreal points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana"),
                      QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace lapidor

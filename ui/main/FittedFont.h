#pragma once

#include <QFont>
#include <QList>
#include <QString>

namespace lapidor {

struct CaptionWidth {
    QString caption;
    int width; // the label's width in pixels
};

// The font, narrowed as little as needed for every caption to fit its label
// (on Windows made smaller instead). Labels keep their design widths, so a
// face wider than the one they were drawn for (Tahoma, where a system lacks
// it) would clip their captions, and so would a translation's longer words
// even in Tahoma. The design face is kept as it is where its captions fit.
QFont fittedFont(QFont font, const QList<CaptionWidth>& captions);

} // namespace lapidor

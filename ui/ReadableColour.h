#pragma once

#include <QColor>
#include <QPalette>

namespace lapidor {

// WCAG contrast between two colours, from 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// A design colour as text on the palette's window colour: the colour itself
// where it reads well enough (contrast 4.5:1 at least), as on the usual
// light palette; otherwise the nearest lighter shade of its hue that does,
// or failing that the palette's own text colour. Dark schemes need this.
QColor readableColour(const QColor& design, const QPalette& palette);

// Text that must read as set back, yet stay readable: the text colour
// blended toward the background until their contrast falls to 5:1 (where
// the toolkit's disabled text gives about 1.6:1); the text colour itself
// where its contrast is that low already.
QColor dimmedColour(const QColor& text, const QColor& background);

// Whether the palette is a dark scheme: light text on a dark window.
bool isDarkPalette(const QPalette& palette);

} // namespace lapidor

#include "FittedFont.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace lapidor {

namespace {

constexpr int narrowestStretch = 70; // below this a caption reads poorly

// How much narrower the font must become for the widest caption to fit.
double neededScale(const QFont& font, const QList<CaptionWidth>& captions)
{
    const QFontMetricsF metrics(font);
    double scale = 1.0;
    for (const auto& [caption, width] : captions)
        scale = std::min(scale, width / metrics.horizontalAdvance(caption));
    return scale;
}

} // namespace

QFont fittedFont(QFont font, const QList<CaptionWidth>& captions)
{
    // A narrowed face is not exactly proportional, so measure once more
    // and narrow again where the first step fell short.
    int stretch = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
    for (int attempt = 0; attempt < 3 && stretch > narrowestStretch; ++attempt) {
        const double scale = neededScale(font, captions);
        if (scale >= 1.0)
            break;
        stretch = std::max(narrowestStretch, int(std::floor(stretch * scale)));
        font.setStretch(stretch);
    }
    return font;
}

} // namespace lapidor

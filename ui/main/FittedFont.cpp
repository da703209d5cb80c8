#include "ui/main/FittedFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace lapidor {

namespace {

constexpr int narrowestStretch = 70; // below this a caption reads poorly
// Where the search starts: what DejaVu Sans, the usual stand-in on Linux,
// needs, so that there usually no other width of the face is loaded.
constexpr int typicalStretch = 86;
constexpr int spareStretch = 2; // room to spare that is not worth widening for

// A caption's width as the sum of its characters' advances: much cheaper
// than laying the text out, and never narrower, since kerning only narrows.
double captionWidth(const QFontMetricsF& metrics, const QString& caption)
{
    double width = 0.0;
    for (const QChar c : caption)
        width += metrics.horizontalAdvance(c);
    return width;
}

// The factor by which the font's width may change for the widest caption to
// just fit: below 1 when it must narrow, above 1 when there is room.
double fittingScale(const QFont& font, const QList<CaptionWidth>& captions)
{
    const QFontMetricsF metrics(font);
    double scale = 1e9;
    for (const auto& [caption, width] : captions)
        scale = std::min(scale, width / captionWidth(metrics, caption));
    return scale;
}

} // namespace

QFont fittedFont(QFont font, const QList<CaptionWidth>& captions)
{
    // The design face fits the English captions by design.
    if (QFontDatabase::hasFamily(font.family()) && fittingScale(font, captions) >= 1.0)
        return font;

#ifdef Q_OS_WIN
    // Windows' font matching may drop the bold face of a narrowed font, so
    // there the face keeps its width and the size gives way instead, by
    // quarter points, as little as needed.
    const double smallest = font.pointSizeF() * narrowestStretch / 100.0;
    while (fittingScale(font, captions) < 1.0 && font.pointSizeF() - 0.25 >= smallest)
        font.setPointSizeF(font.pointSizeF() - 0.25);
#else
    int stretch = typicalStretch;
    for (int attempt = 0; attempt < 3; ++attempt) {
        font.setStretch(stretch);
        const int fitting = int(std::clamp(std::floor(stretch * fittingScale(font, captions)), double(narrowestStretch),
                                           double(QFont::Unstretched)));
        if (fitting >= stretch && fitting - stretch <= spareStretch)
            break;
        stretch = fitting;
    }
    font.setStretch(stretch);
#endif
    return font;
}

} // namespace lapidor

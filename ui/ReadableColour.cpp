#include "ui/ReadableColour.h"

#include <cmath>

namespace lapidor {

namespace {

constexpr double readableContrast = 4.5;
constexpr double dimmedContrast = 5.0; // a margin above readableContrast

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableColour(const QColor& design, const QPalette& palette)
{
    const QColor background = palette.color(QPalette::Window);
    if (contrastRatio(design, background) >= readableContrast)
        return design;
    // Lighter and lighter shades of the same hue and saturation.
    const QColor hsl = design.toHsl();
    for (int lightness = hsl.lightness() + 1; lightness <= 255; ++lightness) {
        const QColor shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness);
        if (contrastRatio(shade, background) >= readableContrast)
            return shade.toRgb();
    }
    return palette.color(QPalette::WindowText);
}

QColor dimmedColour(const QColor& text, const QColor& background)
{
    const QColor from = text.toRgb(), to = background.toRgb();
    const auto blend = [](double a, double b, double share) { return a + (b - a) * share; };
    QColor dimmed = from;
    for (int step = 1; step <= 255; ++step) {
        const double share = step / 255.0;
        const QColor next = QColor::fromRgbF(float(blend(from.redF(), to.redF(), share)),
                                             float(blend(from.greenF(), to.greenF(), share)),
                                             float(blend(from.blueF(), to.blueF(), share)));
        if (contrastRatio(next, to) < dimmedContrast)
            break;
        dimmed = next;
    }
    return dimmed;
}

bool isDarkPalette(const QPalette& palette)
{
    return luminance(palette.color(QPalette::WindowText)) > luminance(palette.color(QPalette::Window));
}

} // namespace lapidor

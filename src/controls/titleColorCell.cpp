#include "titleColorCell.h"

#include <cmath>

namespace {

double linear(double c)
{
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

float titleColorCell::luminanceForColor(const QColor &color)
{
    const QColor srgb = color.toRgb();
    return float(0.2989 * linear(srgb.redF()) + 0.587 * linear(srgb.greenF()) + 0.114 * linear(srgb.blueF()));
}

float titleColorCell::contrastOf(const QColor &a, const QColor &b)
{
    return (luminanceForColor(a) + 0.05f) / (luminanceForColor(b) + 0.05f);
}

QColor titleColorCell::getTextColorForBackColor(const QColor &color, bool state)
{
    const QColor background = state ? color.toRgb() : QColor(Qt::black);
    const float onBlack = contrastOf(background, Qt::black);
    const float onWhite = contrastOf(Qt::white, background);
    return onWhite + 8 < onBlack ? QColor(Qt::black) : QColor(Qt::white);
}

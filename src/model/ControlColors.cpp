#include "ControlColors.h"

namespace {

QColor rgb(double r, double g, double b)
{
    return QColor::fromRgbF(float(r), float(g), float(b), 1.0f);
}

QColor mixed(const QColor &color, double level, double towards)
{
    const auto mix = [&](float c) { return float(c + (towards - c) * level); };
    return QColor::fromRgbF(mix(color.redF()), mix(color.greenF()), mix(color.blueF()), color.alphaF());
}

} // namespace

QColor ControlColors::fader()
{
    return rgb(0.3176, 0.7255, 0.9451);
}

QColor ControlColors::pad(const QString &openGroup)
{
    const QColor base =
        openGroup.startsWith(QLatin1String("3slider1button-group")) ? fader() : rgb(0.2835, 0.56, 0.4076);
    return highlighted(base, 0.0);
}

QColor ControlColors::transport()
{
    return rgb(0.260517, 0.260524, 0.260521);
}

QColor ControlColors::groupButton(const QString &groupName)
{
    if (groupName == QLatin1String("transport-group"))
        return transport();
    return shadowed(fader(), 0.2);
}

QColor ControlColors::highlighted(const QColor &color, double level)
{
    return mixed(color, level, 1.0);
}

QColor ControlColors::shadowed(const QColor &color, double level)
{
    return mixed(color, level, 0.0);
}

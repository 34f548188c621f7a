#pragma once

#include <QColor>
#include <QString>

// The colours controls take when their record holds none.
class ControlColors {
public:
    static QColor fader();
    // Pads inside a three-fader group's popover take the fader colour.
    static QColor pad(const QString &openGroup);
    static QColor transport();
    static QColor groupButton(const QString &groupName);

    // Mixes the colour towards white (highlight) or black (shadow) by level 0 … 1.
    static QColor highlighted(const QColor &color, double level);
    static QColor shadowed(const QColor &color, double level);
};

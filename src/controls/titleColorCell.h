#pragma once

#include <QColor>

// The title colour of a button: white on all but very light bezels, so a title stays readable
// whatever colour the user picked.
class titleColorCell {
public:
    static float luminanceForColor(const QColor &color);
    // Not reordered: (L(a) + 0.05) / (L(b) + 0.05).
    static float contrastOf(const QColor &a, const QColor &b);
    // An off button (state false) always gets white text.
    static QColor getTextColorForBackColor(const QColor &color, bool state);
};

#pragma once

#include <QPainterPath>
#include <QRectF>

// One semitone of the keyboard, in the view's points (y downwards).
struct PianoKey {
    enum Type { Black = 0, WhiteBlackRight = 1, WhiteBlackLeft = 2, WhiteBetween = 3 };

    int type = Black;
    // Semitone within the keyboard, 0 … 12·octaves − 1, before transposition. Also the key's
    // identity: it survives a rebuild of the layout.
    int pitch = 0;
    QPainterPath drawPath;
    // Equal chromatic strips over the full height, so the lower third of a white key near a
    // boundary plays the black key of that strip.
    QRectF touchPath;
};

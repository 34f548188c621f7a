#pragma once

#include <QRectF>

// The title placement of the escape button: the base title rectangle mirrored about the middle
// of the button and lifted by two points, which centres a short title optically.
class valignTextCell {
public:
    // Both in the button's coordinates, y downwards.
    static QRectF titleRectForBounds(const QRectF &title, const QRectF &bounds);
};

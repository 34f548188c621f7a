#pragma once

#include <QColor>
#include <QRectF>

#include <optional>

class QPainter;

// The bar of a slider preview: always half filled, whatever the value, so that it shows only
// the colour a fader will have.
class pseudoSliderCell {
public:
    // Without a fill colour the default track colour of the faders is used.
    static void drawBarInside(QPainter &painter, const QRectF &bar, const std::optional<QColor> &fill);
};

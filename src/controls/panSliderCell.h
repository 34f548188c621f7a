#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The bars of a slider track: a plain bar filled from the start, and a pan bar filled from the
// centre towards the value.
class panSliderCell {
public:
    static QColor defaultFill();
    static void drawBar(QPainter &painter, const QRectF &bar, double fraction, const QColor &fill);
    static void drawPanBar(QPainter &painter, const QRectF &bar, double fraction, const QColor &fill);

private:
    static void drawTrack(QPainter &painter, const QRectF &bar);
};

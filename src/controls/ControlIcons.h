#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The strip's own icons for transport, close and the transport group, drawn as simple shapes
// so they stay sharp at every point scale.
class ControlIcons {
public:
    enum class Icon {
        Play,
        Pause,
        Stop,
        Record,
        FastForward,
        Rewind,
        SkipToStart,
        SkipToEnd,
        PlayPause,
        Close
    };

    // Centred in the box, at most 14 points high.
    static void draw(QPainter &painter, Icon icon, const QRectF &box, const QColor &color);

private:
    static void triangle(QPainter &painter, const QRectF &cell, bool pointsRight);
};

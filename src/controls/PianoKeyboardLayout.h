#pragma once

#include "PianoKey.h"

#include <QList>
#include <QRectF>

// Geometry of a keyboard of n octaves in a view of width W and height H, in points with y
// downwards. The keys fill 12·n units of u = W / (12·n + 1.5) with an octave-shift zone of
// 0.75·u at each end.
class PianoKeyboardLayout {
public:
    PianoKeyboardLayout() = default;
    PianoKeyboardLayout(qreal width, qreal height, int octaves);

    float unit() const { return m_unit; }
    qreal width() const { return m_width; }
    qreal height() const { return m_height; }
    // White keys first (C F, E B, D G A), black keys last, so black keys paint over white.
    const QList<PianoKey> &keys() const { return m_keys; }
    QRectF downKey() const { return m_downKey; }
    QRectF upKey() const { return m_upKey; }

    // The key whose touch strip holds the point; on a shared edge the later key in keys()
    // wins. Null when the point is on no key.
    const PianoKey *keyAt(const QPointF &point) const;
    const PianoKey *keyWithPitch(int pitch) const;

private:
    void addKey(int pitch, int type);

    qreal m_width = 0;
    qreal m_height = 0;
    // Single precision, so that a key's edges fall where the touches expect them.
    float m_unit = 0;
    QList<PianoKey> m_keys;
    QRectF m_downKey;
    QRectF m_upKey;
};

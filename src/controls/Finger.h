#pragma once

#include <QPointF>
#include <QtGlobal>

// One touch that is playing a note.
struct Finger {
    static constexpr int noKey = -1;

    // MIDI note already transposed; the release uses it even after an octave shift.
    int pitch = 0;
    // The `PianoKey::pitch` of the key under the finger, or noKey.
    int pianoKey = noKey;
    quint64 trackingTouchIdentity = 0;
    QPointF origPoint;
};

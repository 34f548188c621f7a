#pragma once

#include <QtGlobal>

// One touch being tracked on the bank or the strip, from its beginning to its end or cancel.
struct Fader {
    int faderNr = 0;
    // Toggle or momentary slot: movement is ignored.
    bool button = false;
    // Release clears the slot's display without sending anything.
    bool momentary = false;
    quint64 trackingTouchIdentity = 0;
    // Drags are relative to where the finger landed, not absolute positions.
    float touchOrig = 0.0f;
    float startValue = 0.0f;
    float lastValue = 0.0f;
    // The slot's extent, for redrawing only the part that changes.
    float left = 0.0f;
    float width = 0.0f;
};

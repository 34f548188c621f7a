#pragma once

#include <QString>

// Posts keyboard events to whichever application has the keyboard focus, as if the key had been
// pressed on the hardware. The escape button calls it at press and at release.
class KeySynthesizer {
public:
    virtual ~KeySynthesizer() = default;

    // False when the event could not be posted; errorString() then names the failing call.
    virtual bool postEscape(bool keyDown) = 0;
    virtual QString errorString() const = 0;
};

#pragma once

#include "Message.h"

#include <QColor>

namespace midi {

class MidiRouter;

// One way of talking to a host over the "Stripdeck Surface" ports. The bank and the strip
// always speak the native vocabulary (pitch bend per fader channel, control changes on
// channel 1); a protocol reads what the host sends into them and turns their messages into
// its own on the surface output.
class SurfaceProtocol {
public:
    virtual ~SurfaceProtocol() = default;

    virtual void takeSurfaceMessage(const Message &message) = 0;
    virtual void sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out) = 0;
    virtual void sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out) = 0;
    // Called when the protocol takes over from another, so the views show what it serves.
    virtual void activate() {}

    virtual QColor currentTrackColor() const = 0;
    // Invalid while the host has sent no device colour.
    virtual QColor currentDeviceColor() const = 0;
};

} // namespace midi

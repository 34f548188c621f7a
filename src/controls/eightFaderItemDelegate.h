#pragma once

#include <QColor>
#include <QtGlobal>

// Where the eight-fader bank sends its touches (to the surface output, channels 1 … 16) and
// reads the host's colours from.
class eightFaderItemDelegate {
public:
    virtual ~eightFaderItemDelegate() = default;

    virtual void sendControlSurfaceControl(int controller, int value, int channel) = 0;
    virtual void sendControlSurfacePitchBend(quint16 value, int channel) = 0;
    virtual QColor getCurrentTrackColor() const = 0;
    // Invalid while the host has sent no device colour.
    virtual QColor getCurrentDeviceColor() const = 0;
};

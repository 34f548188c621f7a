#pragma once

#include <QColor>
#include <QtGlobal>

// Where the channel strip sends its touches (to the surface output, channels 1 … 16), reads
// the host's colours from, and asks for the eight-fader bank of the track's device.
class controlStripItemDelegate {
public:
    virtual ~controlStripItemDelegate() = default;

    virtual void sendControlSurfaceControl(int controller, int value, int channel) = 0;
    virtual void sendControlSurfacePitchBend(quint16 value, int channel) = 0;
    virtual QColor getCurrentTrackColor() const = 0;
    // Invalid while the host has sent no device colour.
    virtual QColor getCurrentDeviceColor() const = 0;
    virtual void openDeviceTouchBar() = 0;
};

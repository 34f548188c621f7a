#pragma once

#include "controlStripItemDelegate.h"
#include "eightFaderItemDelegate.h"

#include "midi/MidiRouter.h"
#include "midi/SurfaceProtocol.h"

#include <functional>

// Serves the eight-fader bank and the channel strip: their touches go to the surface output
// through the router in the terms of the surface protocol, their colours come from the host's
// feedback.
class ControlSurfaceDelegate : public eightFaderItemDelegate, public controlStripItemDelegate {
public:
    // Neither is owned; both must outlive this object.
    ControlSurfaceDelegate(midi::MidiRouter &router, midi::SurfaceProtocol &protocol);

    // Opens the pop-up touch bar of the eight-fader bank and tells the host it is shown.
    void setOpenDeviceTouchBar(std::function<void()> open) { m_openDeviceTouchBar = std::move(open); }

    void sendControlSurfaceControl(int controller, int value, int channel) override;
    void sendControlSurfacePitchBend(quint16 value, int channel) override;
    QColor getCurrentTrackColor() const override;
    QColor getCurrentDeviceColor() const override;
    void openDeviceTouchBar() override;

private:
    midi::MidiRouter &m_router;
    midi::SurfaceProtocol &m_protocol;
    std::function<void()> m_openDeviceTouchBar;
};

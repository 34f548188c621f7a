#pragma once

#include "SurfaceProtocol.h"

namespace midi {

// The surface protocol in use, changeable while the program runs: input and the views'
// messages go to whichever protocol is selected, and the ports stay as they are.
class SurfaceProtocolSwitch : public SurfaceProtocol {
public:
    // Not owned; every protocol selected must outlive this object.
    explicit SurfaceProtocolSwitch(SurfaceProtocol &initial)
        : m_current(&initial)
    {
    }

    // A protocol that takes over is activated; selecting the current one again does nothing.
    void select(SurfaceProtocol &protocol);
    const SurfaceProtocol &current() const { return *m_current; }

    void takeSurfaceMessage(const Message &message) override { m_current->takeSurfaceMessage(message); }
    void sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out) override
    {
        m_current->sendControlSurfaceControl(controller, value, channel, out);
    }
    void sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out) override
    {
        m_current->sendControlSurfacePitchBend(value, channel, out);
    }
    void activate() override { m_current->activate(); }
    QColor currentTrackColor() const override { return m_current->currentTrackColor(); }
    QColor currentDeviceColor() const override { return m_current->currentDeviceColor(); }

private:
    SurfaceProtocol *m_current;
};

} // namespace midi

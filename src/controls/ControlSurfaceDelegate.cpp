#include "ControlSurfaceDelegate.h"

ControlSurfaceDelegate::ControlSurfaceDelegate(midi::MidiRouter &router, midi::SurfaceProtocol &protocol)
    : m_router(router)
    , m_protocol(protocol)
{
}

void ControlSurfaceDelegate::sendControlSurfaceControl(int controller, int value, int channel)
{
    m_protocol.sendControlSurfaceControl(controller, value, channel, m_router);
}

void ControlSurfaceDelegate::sendControlSurfacePitchBend(quint16 value, int channel)
{
    m_protocol.sendControlSurfacePitchBend(value, channel, m_router);
}

QColor ControlSurfaceDelegate::getCurrentTrackColor() const
{
    return m_protocol.currentTrackColor();
}

QColor ControlSurfaceDelegate::getCurrentDeviceColor() const
{
    return m_protocol.currentDeviceColor();
}

// The opening itself tells the host that the bank is shown, so nothing is sent from here.
void ControlSurfaceDelegate::openDeviceTouchBar()
{
    if (m_openDeviceTouchBar)
        m_openDeviceTouchBar();
}

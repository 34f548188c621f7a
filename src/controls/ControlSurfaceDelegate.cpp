#include "ControlSurfaceDelegate.h"

namespace {

// Tells the host that the bank now shows the track's device.
constexpr int deviceOpenedController = 4;

} // namespace

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

void ControlSurfaceDelegate::openDeviceTouchBar()
{
    if (m_openDeviceTouchBar)
        m_openDeviceTouchBar();
    m_protocol.sendControlSurfaceControl(deviceOpenedController, 1, 1, m_router);
}

#include "ControlSurfaceDelegate.h"

namespace {

// Tells the host that the bank now shows the track's device.
constexpr int deviceOpenedController = 4;

} // namespace

ControlSurfaceDelegate::ControlSurfaceDelegate(midi::MidiRouter &router,
                                               const midi::SurfaceFeedback &feedback)
    : m_router(router)
    , m_feedback(feedback)
{
}

void ControlSurfaceDelegate::sendControlSurfaceControl(int controller, int value, int channel)
{
    m_router.sendControlSurfaceControl(controller, value, channel);
}

void ControlSurfaceDelegate::sendControlSurfacePitchBend(quint16 value, int channel)
{
    m_router.sendControlSurfacePitchBend(value, channel);
}

QColor ControlSurfaceDelegate::getCurrentTrackColor() const
{
    return m_feedback.currentTrackColor();
}

QColor ControlSurfaceDelegate::getCurrentDeviceColor() const
{
    return m_feedback.currentDeviceColor();
}

void ControlSurfaceDelegate::openDeviceTouchBar()
{
    if (m_openDeviceTouchBar)
        m_openDeviceTouchBar();
    m_router.sendControlSurfaceControl(deviceOpenedController, 1, 1);
}

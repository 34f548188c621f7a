#include "ControlSurfaceDelegate.h"

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

// The opening itself tells the host that the bank is shown, so nothing is sent from here.
void ControlSurfaceDelegate::openDeviceTouchBar()
{
    if (m_openDeviceTouchBar)
        m_openDeviceTouchBar();
}

#pragma once

#include <QColor>
#include <QString>

namespace midi {

// What the control-surface feedback sets on the channel strip. Fader and send indexes arrive
// as sent by the host; the strip ignores those it does not have.
class SurfaceStripFeedback {
public:
    virtual ~SurfaceStripFeedback() = default;

    // The position of a fader is complete only with the LSB, which must follow the MSB.
    virtual void setMSB(int msb, int faderNr) = 0;
    virtual void setLSB(int lsb, int faderNr) = 0;
    virtual void setChannelName(const QString &name) = 0;
    virtual void setSendName(const QString &name, int send) = 0;
    virtual void setDeviceName(const QString &name) = 0;
    virtual void setPanName(const QString &name) = 0;
    virtual void setDeviceColor(const QColor &color) = 0;
    virtual void hasDevice(bool yes) = 0;
    virtual void setSoloButton(int value) = 0;
    virtual void setMuteButton(int value) = 0;
    virtual void updateTrackColor() = 0;
    // Whether the protocol in use gives the four sends a function; without one they are shown
    // unusable and their touches go nowhere.
    virtual void setSendsEnabled(bool enabled) = 0;
};

} // namespace midi

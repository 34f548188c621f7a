#pragma once

#include <QColor>
#include <QString>

// What the channel strip view asks of its item. Faders are 0 volume, 1 pan, 2 … 5 sends
// 1 … 4; values 0.0 … 1.0.
class controlStripViewDelegate {
public:
    virtual ~controlStripViewDelegate() = default;

    virtual void openDevice() = 0;
    virtual void updateTrackColor() = 0;
    virtual void updateDeviceColor() = 0;
    virtual void sendValue(float value, int fader) = 0;
    // 1 when a touch begins on a fader, 0 when it ends.
    virtual void sendTouch(int state, int fader) = 0;
    virtual float getValueForFader(int fader) const = 0;
    virtual void sendSoloButton() = 0;
    virtual int getSoloButtonValue() const = 0;
    virtual void sendMuteButton() = 0;
    virtual int getMuteButtonValue() const = 0;
    // Invalid while the track has no device or the host sent no colour.
    virtual QColor getDeviceColor() const = 0;
    virtual QString getChannelName() const = 0;
    virtual QString getPanName() const = 0;
    // "<no Device>" while the track has no device.
    virtual QString getDeviceName() const = 0;
    virtual QString getNameForSend(int send) const = 0;
    // False while the protocol in use has no function for the sends.
    virtual bool sendsEnabled() const = 0;
};

#pragma once

#include <QString>
#include <QStringList>

// What the eight-fader view asks of its item. Slots are 0 … 7; values 0.0 … 1.0.
class eightFaderViewDelegate {
public:
    virtual ~eightFaderViewDelegate() = default;

    virtual void updateTrackColor() = 0;
    // invert sends 1 for a value of 0 and 0 otherwise (button mode 1); the stored value is
    // the one given.
    virtual void sendValue(float value, int fader, bool invert) = 0;
    // 1 when a touch begins on a continuous slot, 0 when it ends.
    virtual void sendTouch(int state, int fader) = 0;
    virtual void setValue(float value, int faderNr) = 0;
    virtual float getValueForFader(int fader) const = 0;
    virtual QStringList getParameterNames() const = 0;
    virtual QString getParameterName(int parameter) const = 0;
    // Decimal texts: "1" continuous, "2" toggle, "3" momentary, anything else hidden.
    virtual QStringList getParameterTypes() const = 0;
    virtual QString getBankNumber() const = 0;
    virtual bool getDeviceOnValue() const = 0;
    virtual int getBankMode() const = 0;
    virtual int getButtonMode() const = 0;
    virtual int getColorMode() const = 0;
    virtual void sendButtonPrev() = 0;
    virtual void sendButtonNext() = 0;
};

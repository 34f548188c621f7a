#pragma once

#include <QString>

namespace midi {

// What the control-surface feedback sets on the eight-fader bank. Slot and parameter
// indexes arrive as sent by the host (0 … 127); the bank ignores those it does not have.
class SurfaceBankFeedback {
public:
    virtual ~SurfaceBankFeedback() = default;

    // The position of a slot is complete only with the LSB, which must follow the MSB.
    virtual void setMSB(int msb, int faderNr) = 0;
    virtual void setLSB(int lsb, int faderNr) = 0;
    virtual void setParameterName(const QString &name, int parameter) = 0;
    virtual void setParameterType(int type, int parameter) = 0;
    virtual void setButtonMode(int mode) = 0;
    virtual void setBankMode(int mode) = 0;
    virtual void setColorMode(int mode) = 0;
    virtual void setDeviceOnValue(bool on) = 0;
    virtual void setBankNumber(const QString &number) = 0;
    virtual void updateTrackColor() = 0;
};

} // namespace midi

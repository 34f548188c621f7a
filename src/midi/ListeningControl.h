#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace midi {

// A control that follows the value of one MIDI or OSC address (sliders and toggle pads).
// kind uses the control kind codes: 0 ctrl, 1 note, 2 prgch, 3 pbend, 4 MMC, 5 ctrl14,
// 6 nrpn, 7 osc.
class ListeningControl {
public:
    virtual ~ListeningControl() = default;

    virtual int kind() const = 0;
    virtual int ctrlNumber() const = 0;
    virtual int channelNumber() const = 0;
    virtual QString oscAddress() const = 0;
    virtual void setMidiValue(const QVariant &value) = 0;

    // Bindings to value cells live no longer than this object: a control destroyed without
    // being removed as a listener is never called again.
    QObject *bindingContext() { return &m_bindingContext; }

private:
    QObject m_bindingContext;
};

} // namespace midi

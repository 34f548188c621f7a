#pragma once

#include "pianoKeysItemDelegate.h"
#include "receiveValueSlider.h"

#include <QString>
#include <QVariantList>

#include <functional>

class ControlHost;
class TouchBarTemplates;
class midiSlider;
class padButton;

namespace midi {
class ListenerTables;
class MidiRouter;
class ListeningControl;
} // namespace midi

// What the strip's controls do when touched: the messages they send, the value cells they
// update, and the popovers they open and close. The piano keyboard plays through it too.
class ControlActions : public valueSliderDelegate, public pianoKeysItemDelegate {
public:
    // Address pattern and its arguments; with no arguments the address text is sent as a whole
    // message, so that it may carry arguments of its own.
    using OscSender = std::function<void(const QString &, const QVariantList &)>;
    using EscapeKey = std::function<void(bool keyDown)>;
    // A control change in the native surface protocol's terms, turned by the protocol in use
    // into its own message (or none).
    using SurfaceSender = std::function<void(int controller, int value, int channel)>;

    // None is owned; all must outlive the actions.
    ControlActions(midi::MidiRouter &router, midi::ListenerTables &listeners, TouchBarTemplates &templates,
                   ControlHost &host);

    void setOscSender(OscSender sender) { m_sendOSC = std::move(sender); }
    void setEscapeKey(EscapeKey key) { m_escapeKey = std::move(key); }
    // Without one, the bank's opening and closing go to the surface output as they are.
    void setSurfaceSender(SurfaceSender sender) { m_sendSurface = std::move(sender); }

    void sliderChanged(midiSlider &item);
    void sliderTouched(receiveValueSlider &slider) override;
    void padAction(padButton &pad);
    void transportAction(padButton &button);
    void escAction(padButton &button);
    void popOverAction(padButton &button);
    void closeAction();
    void openDeviceTouchBar();

    void sendNoteOn(int note, int velocity, int channel) override;
    void sendPitchBend(quint16 value, int channel) override;
    void sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &values) override;
    void pianoTouched(pianoView *view) override;

private:
    void handOver(QObject *control);
    void sendOSC(const QString &address, const QVariantList &values);
    void sendPadValue(const padButton &pad, double value);
    void setCell(const midi::ListeningControl &control, const QVariant &value);
    void sendBankShown(int value);

    midi::MidiRouter &m_router;
    midi::ListenerTables &m_listeners;
    TouchBarTemplates &m_templates;
    ControlHost &m_host;
    OscSender m_sendOSC;
    EscapeKey m_escapeKey;
    SurfaceSender m_sendSurface;
};

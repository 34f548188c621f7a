#pragma once

#include "receiveValueSlider.h"

#include "midi/ListeningControl.h"
#include "platform/touchbar/TouchBarItem.h"

#include <QPointer>

// A fader on the strip: its slider and the address it sends to and follows.
class midiSlider : public TouchBarItem, public midi::ListeningControl {
public:
    enum Type { Volume = 0, Pan = 1, PitchBend = 2 };
    static constexpr qreal minimumWidth = 100.0;

    explicit midiSlider(const QString &identifier);
    ~midiSlider() override;

    // Null once the host has deleted the view with its window.
    receiveValueSlider *slider() const { return m_slider; }

    int type() const { return m_type; }
    // Pan shows a bar from the centre; pitch bend also springs back to it.
    void setType(int type);

    int kind() const override { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    int ctrlNumber() const override { return m_ctrlNumber; }
    void setCtrlNumber(int number) { m_ctrlNumber = number; }
    int channelNumber() const override { return m_channelNumber; }
    void setChannelNumber(int channel) { m_channelNumber = channel; }
    QString oscAddress() const override { return m_oscAddress; }
    void setOscAddress(const QString &address) { m_oscAddress = address; }
    QString groupIdentifier() const { return m_groupIdentifier; }
    void setGroupIdentifier(const QString &identifier) { m_groupIdentifier = identifier; }
    QString label() const { return m_label; }
    void setLabel(const QString &label);

    // Ignored while a finger is on the slider, so the finger wins over the host.
    void setMidiValue(const QVariant &value) override;

private:
    QPointer<receiveValueSlider> m_slider;
    int m_type = Volume;
    int m_kind = 0;
    int m_ctrlNumber = 0;
    int m_channelNumber = 1;
    QString m_oscAddress;
    QString m_groupIdentifier;
    QString m_label;
};

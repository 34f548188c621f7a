#include "ControlActions.h"

#include "ControlHost.h"
#include "MessageValue.h"
#include "TouchBarTemplates.h"
#include "midiSlider.h"
#include "padButton.h"
#include "pianoView.h"

#include "midi/ListenerTables.h"
#include "midi/MidiRouter.h"
#include "model/ControlCatalog.h"
#include "model/ControlSettings.h"

#include <optional>

namespace {

using Kind = ControlSettings::Kind;

Kind kindOf(int code)
{
    return Kind(code);
}

enum Transport { Play = 1, Pause, Stop, Record, FastForward, Rewind };

bool winds(int tag)
{
    return tag == FastForward || tag == Rewind;
}

// Play, pause, stop and record act when the finger lifts; the wind buttons wind while held.
std::optional<qint8> mmcCommand(int tag, bool press)
{
    switch (tag) {
    case Play:
        return press ? std::nullopt : std::optional<qint8>(0x02);
    case Pause:
        return press ? std::nullopt : std::optional<qint8>(0x08);
    case Stop:
        return press ? std::nullopt : std::optional<qint8>(0x09);
    case Record:
        return press ? std::nullopt : std::optional<qint8>(0x06);
    case FastForward:
        return qint8(press ? 0x04 : 0x09);
    case Rewind:
        return qint8(press ? 0x05 : 0x09);
    default:
        return std::nullopt;
    }
}

// The bank's button tag names its item, but its popover is the bank's group.
QString groupIdentifier(int tag)
{
    return ControlCatalog::identifier(tag == TouchBarTemplates::eightFaderGroupNumber
                                          ? QStringLiteral("8fader-group")
                                          : TouchBarTemplates::groupName(tag));
}

} // namespace

ControlActions::ControlActions(midi::MidiRouter &router, midi::ListenerTables &listeners,
                               TouchBarTemplates &templates, ControlHost &host)
    : m_router(router)
    , m_listeners(listeners)
    , m_templates(templates)
    , m_host(host)
{
}

void ControlActions::handOver(QObject *control)
{
    if (m_host.editCCs())
        m_host.handOverToEditor(m_host.userTouchbarNumber(), control);
}

void ControlActions::sendOSC(const QString &address, const QVariantList &values)
{
    if (m_sendOSC)
        m_sendOSC(address, values);
}

void ControlActions::setCell(const midi::ListeningControl &control, const QVariant &value)
{
    m_listeners.returnListenerFor(control)->setValue(value);
}

void ControlActions::sliderChanged(midiSlider &item)
{
    receiveValueSlider *slider = item.slider();
    if (!slider)
        return;
    const double v = slider->doubleValue();
    const int i = slider->intValue();
    const int channel = item.channelNumber();
    const auto fourteenBits = quint16(MessageValue::clamped(i, MessageValue::fourteenBitTop));
    switch (kindOf(item.kind())) {
    case Kind::Ctrl:
        m_router.sendControl(item.ctrlNumber(), MessageValue::clamped(i, MessageValue::sevenBitTop), channel);
        break;
    case Kind::Pbend:
        m_router.sendPitchBend(fourteenBits, channel);
        break;
    case Kind::Ctrl14:
        m_router.send14BitControl(item.ctrlNumber(), fourteenBits, channel);
        break;
    case Kind::Nrpn:
        m_router.sendNRPN(quint16(item.ctrlNumber()), fourteenBits, channel);
        break;
    case Kind::Osc:
        sendOSC(item.oscAddress(), {v});
        break;
    default:
        break;
    }
    setCell(item, v);
}

void ControlActions::sliderTouched(receiveValueSlider &slider)
{
    handOver(&slider);
}

void ControlActions::sendPadValue(const padButton &pad, double value)
{
    const int channel = pad.channelNumber();
    const int sevenBits = MessageValue::truncated(value, MessageValue::sevenBitTop);
    switch (kindOf(pad.kind())) {
    case Kind::Ctrl:
        m_router.sendControl(pad.ctrlNumber(), sevenBits, channel);
        break;
    case Kind::Note:
        m_router.sendNoteOn(pad.ctrlNumber(), sevenBits, channel);
        break;
    case Kind::Nrpn:
        m_router.sendNRPN(quint16(pad.ctrlNumber()),
                          quint16(MessageValue::truncated(value, MessageValue::fourteenBitTop)), channel);
        break;
    case Kind::Osc:
        sendOSC(pad.oscAddress(), {value});
        break;
    default:
        break;
    }
}

void ControlActions::padAction(padButton &pad)
{
    const bool press = !pad.isHighlighted();
    if (press)
        handOver(&pad);
    if (kindOf(pad.kind()) == Kind::Prgch) {
        if (press)
            m_router.sendProgram(pad.ctrlNumber(), pad.channelNumber());
    } else {
        std::optional<double> value;
        switch (pad.behavior()) {
        case 0:
            value = press ? pad.maxValue() : pad.minValue();
            break;
        case 2:
            if (press)
                value = pad.maxValue();
            break;
        default:
            if (!press)
                value = pad.state() ? pad.maxValue() : pad.minValue();
            break;
        }
        if (value)
            sendPadValue(pad, *value);
    }
    setCell(pad, pad.state() ? 1 : 0);
}

void ControlActions::transportAction(padButton &button)
{
    const bool press = !button.isHighlighted();
    if (press)
        handOver(&button);
    const int tag = button.tag();
    const int channel = button.channelNumber();
    switch (kindOf(button.kind())) {
    case Kind::Ctrl:
        if (press || winds(tag))
            m_router.sendControl(button.ctrlNumber(), press ? 127 : 0, channel);
        break;
    case Kind::Note:
        if (press || winds(tag))
            m_router.sendNoteOn(button.ctrlNumber(), press ? 127 : 0, channel);
        break;
    case Kind::MMC:
        if (const auto command = mmcCommand(tag, press); command && button.canSendMMC())
            m_router.sendMMC(*command);
        break;
    case Kind::Osc:
        if (winds(tag))
            sendOSC(button.oscAddress(), {press ? 1 : 0});
        else if (press)
            sendOSC(button.oscAddress(), {});
        break;
    default:
        break;
    }
}

void ControlActions::escAction(padButton &button)
{
    if (m_escapeKey)
        m_escapeKey(!button.isHighlighted());
}

void ControlActions::popOverAction(padButton &button)
{
    TouchBar *bar = m_templates.groupTouchBar(button.tag());
    if (bar)
        m_host.setLastCreatedBar(groupIdentifier(button.tag()));
    handOver(&button);
    m_host.openPopUp(bar, button.identifier());
}

void ControlActions::closeAction()
{
    if (TouchBar *open = m_host.currentPopOver(); open && open == m_templates.eightFaderGroup())
        sendBankShown(0);
    m_host.closePopUp();
}

void ControlActions::openDeviceTouchBar()
{
    m_host.openPopUp(m_templates.eightFaderGroup(), {});
    sendBankShown(1);
}

// Controller 4 tells a native host whether the bank of the track's device is shown.
void ControlActions::sendBankShown(int value)
{
    if (m_sendSurface)
        m_sendSurface(4, value, 1);
    else
        m_router.sendControlSurfaceControl(4, value, 1);
}

void ControlActions::sendNoteOn(int note, int velocity, int channel)
{
    m_router.sendNoteOn(note, velocity, channel);
}

void ControlActions::sendPitchBend(quint16 value, int channel)
{
    m_router.sendPitchBend(value, channel);
}

void ControlActions::sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &values)
{
    sendOSC(address, values);
}

void ControlActions::pianoTouched(pianoView *view)
{
    handOver(view);
}

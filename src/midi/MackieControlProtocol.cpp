#include "MackieControlProtocol.h"

#include "MidiRouter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace midi {

namespace {

// System exclusive: manufacturer 00 00 66, then 14 for a main unit (15, an extender, is not us).
const QByteArray mainUnitHeader = QByteArray::fromHex("00006614");
constexpr qsizetype commandAt = 4;
constexpr qsizetype lcdOffsetAt = 5;
constexpr qsizetype lcdTextAt = 6;

enum Command {
    DeviceQuery = 0x00,
    HostConnectionQuery = 0x01,
    HostConnectionReply = 0x02,
    HostConnectionConfirmation = 0x03,
    LcdText = 0x12,
};

// Notes, channel 1: LEDs from the host, buttons to it (127 pressed, 0 released).
constexpr int soloNote = 0x08;
constexpr int muteNote = 0x10;
constexpr int selectNote = 0x18;
constexpr int bankLeftNote = 0x2E;
constexpr int bankRightNote = 0x2F;
constexpr int faderTouchNote = 0x68;
constexpr int pressed = 127;
constexpr int released = 0;

// Control changes, channel 1.
constexpr int vpotController = 0x10;
constexpr int vpotCounterClockwise = 0x40;
constexpr int maxTicksPerMessage = 0x3F;
constexpr int ringController = 0x30;
constexpr int assignmentRightController = 0x4A;
constexpr int assignmentLeftController = 0x4B;
// The ring's single-dot mode lights one of eleven LEDs, 1 … 11; 6 is the centre.
constexpr int ringSteps = 11;
// V-Pot ticks for the strip's whole pan travel.
constexpr float panTicksPerTravel = 100.0f;

// What the bank and the strip send, in the native vocabulary.
namespace native {
constexpr int soloController = 1;
constexpr int muteController = 2;
constexpr int previousBankController = 10;
constexpr int nextBankController = 11;
constexpr int volumeTouchController = 40;
constexpr int panTouchController = 41;
constexpr int firstBankTouchController = 50;
constexpr int volumeChannel = 1;
constexpr int panChannel = 2;
constexpr int firstBankChannel = 9;
} // namespace native

int channelIn(int number, int first)
{
    return number >= first && number < first + MackieControlProtocol::channelCount ? number - first : -1;
}

} // namespace

MackieControlProtocol::MackieControlProtocol(SurfaceBankFeedback &bank, SurfaceStripFeedback &strip,
                                             MidiRouter &router)
    : m_bank(bank)
    , m_strip(strip)
    , m_router(router)
{
}

QByteArray MackieControlProtocol::serialNumber()
{
    return QByteArrayLiteral("SDECK01");
}

void MackieControlProtocol::takeSurfaceMessage(const Message &message)
{
    switch (message.messageType()) {
    case MessageType::SystemExclusive:
        systemExclusive(message.data());
        break;
    case MessageType::PitchBend:
        pitchBend(message.channel(), message.dataByte1() & 0x7F, message.dataByte2() & 0x7F);
        break;
    case MessageType::NoteOn:
        if (message.channel() == 1)
            noteOn(message.dataByte1(), message.dataByte2());
        break;
    case MessageType::NoteOff:
        if (message.channel() == 1)
            noteOn(message.dataByte1(), 0);
        break;
    case MessageType::ControlChange:
        if (message.channel() == 1)
            controlChange(message.dataByte1(), message.dataByte2());
        break;
    default:
        // Meters (channel pressure) and everything else have no place on the views.
        break;
    }
}

// The handshake is answered whenever the host asks, and a host that never asks is served
// all the same: nothing else waits for it.
void MackieControlProtocol::systemExclusive(QByteArrayView body)
{
    if (body.size() <= commandAt || !body.startsWith(mainUnitHeader))
        return;
    switch (int(quint8(body[commandAt]))) {
    case DeviceQuery:
        m_router.sendControlSurfaceSystemExclusive(mainUnitHeader + char(HostConnectionQuery) +
                                                   serialNumber() + QByteArray::fromHex("01020304"));
        break;
    case HostConnectionReply:
        m_router.sendControlSurfaceSystemExclusive(mainUnitHeader + char(HostConnectionConfirmation) +
                                                   serialNumber());
        break;
    case LcdText: {
        if (body.size() <= lcdOffsetAt)
            return;
        const auto changed = m_display.writeLcd(int(quint8(body[lcdOffsetAt])), body.sliced(lcdTextAt));
        for (int channel = 0; channel < channelCount; ++channel) {
            if (!changed.test(std::size_t(channel)))
                continue;
            m_bank.setParameterName(m_display.upperCell(channel), channel);
            if (m_selected == channel)
                m_strip.setChannelName(m_display.upperCell(channel));
        }
        break;
    }
    default:
        break;
    }
}

// MIDI channels 1 … 8 are the mixer channels; 9, the master fader, has no place here.
void MackieControlProtocol::pitchBend(int midiChannel, int lsb, int msb)
{
    const int channel = channelIn(midiChannel, 1);
    if (channel < 0)
        return;
    m_channels[std::size_t(channel)].msb = msb;
    m_channels[std::size_t(channel)].lsb = lsb;
    m_bank.setMSB(msb, channel);
    m_bank.setLSB(lsb, channel);
    if (m_selected == channel) {
        m_strip.setMSB(msb, 0);
        m_strip.setLSB(lsb, 0);
    }
}

// An LED is lit at 127 and blinks at 1; a blinking solo or mute is not the channel's own.
void MackieControlProtocol::noteOn(int note, int velocity)
{
    const int lit = velocity >= 64 ? 127 : 0;
    if (const int channel = channelIn(note, soloNote); channel >= 0) {
        m_channels[std::size_t(channel)].solo = lit;
        if (m_selected == channel)
            m_strip.setSoloButton(lit);
    } else if (const int channel = channelIn(note, muteNote); channel >= 0) {
        m_channels[std::size_t(channel)].mute = lit;
        if (m_selected == channel)
            m_strip.setMuteButton(lit);
    } else if (const int channel = channelIn(note, selectNote); channel >= 0) {
        select(channel, lit != 0);
    }
}

void MackieControlProtocol::controlChange(int controller, int value)
{
    if (const int channel = channelIn(controller, ringController); channel >= 0) {
        const int step = value & 0x0F;
        if (step == 0)
            return; // a dark ring shows no position
        const float pan = float(std::min(step, ringSteps) - 1) / float(ringSteps - 1);
        m_channels[std::size_t(channel)].pan = pan;
        if (m_selected == channel && !m_panHeld)
            showPanOnStrip(pan);
    } else if (controller == assignmentLeftController || controller == assignmentRightController) {
        m_display.writeAssignment(controller == assignmentLeftController, value);
        m_bank.setBankNumber(m_display.assignmentText());
    }
}

// Hosts light the new channel and darken the old in either order: only the selected
// channel's own LED going dark clears the selection.
void MackieControlProtocol::select(int channel, bool lit)
{
    if (lit)
        m_selected = channel;
    else if (m_selected == channel)
        m_selected.reset();
    else
        return;
    showSelectedOnStrip();
}

void MackieControlProtocol::showSelectedOnStrip()
{
    const Channel shown = m_selected ? m_channels[std::size_t(*m_selected)] : Channel{};
    m_strip.setChannelName(m_selected ? m_display.upperCell(*m_selected) : QString());
    m_strip.setMSB(shown.msb, 0);
    m_strip.setLSB(shown.lsb, 0);
    m_strip.setSoloButton(shown.solo);
    m_strip.setMuteButton(shown.mute);
    if (!m_panHeld)
        showPanOnStrip(shown.pan);
}

void MackieControlProtocol::showPanOnStrip(float pan)
{
    m_panSent = pan;
    const quint16 value = quint16(pan * 16383.0f);
    m_strip.setMSB(value >> 7, 1);
    m_strip.setLSB(value & 0x7F, 1);
}

// The views report a value before the touch that caused it; Mackie hosts want the touch
// first, so the first value of a touch sends it.
void MackieControlProtocol::touch(MidiRouter &out, bool &held, int channel, bool down)
{
    if (held == down)
        return;
    held = down;
    out.sendControlSurfaceNoteOn(faderTouchNote + channel, down ? pressed : released, 1);
}

void MackieControlProtocol::press(MidiRouter &out, int note)
{
    out.sendControlSurfaceNoteOn(note, pressed, 1);
    out.sendControlSurfaceNoteOn(note, released, 1);
}

// Relative ticks toward the target, whole ticks only: the remainder waits for the next move so
// that a slow drag still arrives.
void MackieControlProtocol::turnPan(MidiRouter &out, float target)
{
    const int ticks = int(std::lround((target - m_panSent) * panTicksPerTravel));
    if (ticks == 0)
        return;
    m_panSent += float(ticks) / panTicksPerTravel;
    const int direction = ticks < 0 ? vpotCounterClockwise : 0;
    for (int left = std::abs(ticks); left > 0; left -= maxTicksPerMessage)
        out.sendControlSurfaceControl(vpotController + *m_selected,
                                      direction | std::min(left, maxTicksPerMessage), 1);
}

void MackieControlProtocol::sendControlSurfaceControl(int controller, int value, int channel, MidiRouter &out)
{
    if (channel != 1)
        return;
    const bool down = value != 0;
    if (const int slot = channelIn(controller, native::firstBankTouchController); slot >= 0) {
        touch(out, m_bankHeld[std::size_t(slot)], slot, down);
        return;
    }
    switch (controller) {
    case native::previousBankController:
        return press(out, bankLeftNote);
    case native::nextBankController:
        return press(out, bankRightNote);
    case native::volumeTouchController:
        if (down && !m_volumeHeld && m_selected)
            m_volumeChannel = *m_selected;
        return touch(out, m_volumeHeld, m_volumeChannel, down && (m_volumeHeld || m_selected));
    case native::panTouchController:
        m_panHeld = down;
        return;
    case native::soloController:
        if (m_selected)
            press(out, soloNote + *m_selected);
        return;
    case native::muteController:
        if (m_selected)
            press(out, muteNote + *m_selected);
        return;
    default:
        // The device button and the sends have no Mackie message.
        return;
    }
}

// A move of the selected channel's fader on either view shows on the other at once; the host
// does not echo a fader back to the surface that moves it.
void MackieControlProtocol::sendControlSurfacePitchBend(quint16 value, int channel, MidiRouter &out)
{
    const quint16 bounded = std::min<quint16>(value, 0x3FFF);
    int mixerChannel = channelIn(channel, native::firstBankChannel);
    if (mixerChannel >= 0) {
        touch(out, m_bankHeld[std::size_t(mixerChannel)], mixerChannel, true);
    } else if (channel == native::volumeChannel && m_selected) {
        mixerChannel = m_volumeHeld ? m_volumeChannel : *m_selected;
        m_volumeChannel = mixerChannel;
        touch(out, m_volumeHeld, mixerChannel, true);
    } else {
        if (channel == native::panChannel && m_selected)
            turnPan(out, float(bounded) / 16383.0f);
        return;
    }
    out.sendControlSurfacePitchBend(bounded, mixerChannel + 1);
    Channel &mixer = m_channels[std::size_t(mixerChannel)];
    mixer.msb = bounded >> 7;
    mixer.lsb = bounded & 0x7F;
    if (channel == native::volumeChannel) {
        m_bank.setMSB(mixer.msb, mixerChannel);
        m_bank.setLSB(mixer.lsb, mixerChannel);
    } else if (m_selected == mixerChannel) {
        m_strip.setMSB(mixer.msb, 0);
        m_strip.setLSB(mixer.lsb, 0);
    }
}

void MackieControlProtocol::activate()
{
    for (int channel = 0; channel < channelCount; ++channel) {
        const Channel &mixer = m_channels[std::size_t(channel)];
        m_bank.setParameterType(1, channel);
        m_bank.setParameterName(m_display.upperCell(channel), channel);
        m_bank.setMSB(mixer.msb, channel);
        m_bank.setLSB(mixer.lsb, channel);
    }
    m_bank.setBankMode(0);
    m_bank.setColorMode(0);
    m_bank.setDeviceOnValue(false);
    m_bank.setBankNumber(m_display.assignmentText());
    // The device button opens the bank of mixer channels; the sends have no Mackie function
    // here, show no name and are shown unusable.
    m_strip.hasDevice(true);
    m_strip.setDeviceName(QStringLiteral("Mixer"));
    m_strip.setPanName(QStringLiteral("Pan"));
    for (int send = 0; send < 4; ++send)
        m_strip.setSendName(QString(), send);
    m_strip.setSendsEnabled(false);
    showSelectedOnStrip();
}

} // namespace midi

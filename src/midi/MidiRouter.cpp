#include "MidiRouter.h"

#include "SystemExclusiveMessage.h"
#include "VoiceMessage.h"

#include <algorithm>

namespace midi {

namespace {

// Stored numbers and values may lie anywhere in an int. A data byte of 128 or more would be
// read as a status byte (the ALSA sequencer's encoder starts a new message there, JACK
// passes it on raw), so every data byte is held to 0 … 127, whatever the backend.
quint8 dataByte(int value)
{
    return quint8(std::clamp(value, 0, 0x7F));
}

void sendVoice(quint8 status, int channel, int data1, int data2, MessageDestination *destination)
{
    if (!destination)
        return;
    const quint8 data[2] = {0, 0};
    const int length = status == 0xC0 ? 1 : 2;
    VoiceMessage message = VoiceMessage::voiceMessageWithTimeStamp(0, status, data, length);
    message.setChannel(quint8(channel));
    message.setDataByte1(dataByte(data1));
    if (length == 2)
        message.setDataByte2(dataByte(data2));
    destination->takeMIDIMessages({message});
}

} // namespace

// Every message goes to the virtual output before any goes to the port.
template <typename Send> void MidiRouter::toUserOutputs(Send send)
{
    send(m_userOutput);
    if (m_portOutput && m_portOutput->endpoints())
        send(m_portOutput);
}

void MidiRouter::sendNoteOn(int note, int velocity, int channel)
{
    toUserOutputs([&](MessageDestination *d) { sendMIDIOutNoteOn(note, velocity, channel, d); });
}

void MidiRouter::sendControl(int controller, int value, int channel)
{
    toUserOutputs([&](MessageDestination *d) { sendMIDIOutControl(controller, value, channel, d); });
}

void MidiRouter::sendPitchBend(quint16 value, int channel)
{
    toUserOutputs([&](MessageDestination *d) { sendMIDIOutPitchBend(value, channel, d); });
}

void MidiRouter::sendProgram(int program, int channel)
{
    toUserOutputs([&](MessageDestination *d) { sendMIDIOutProgram(program, channel, d); });
}

void MidiRouter::sendMMC(qint8 command)
{
    toUserOutputs([&](MessageDestination *d) { sendMIDIOutMMC(command, d); });
}

void MidiRouter::send14BitControl(int controller, quint16 value, int channel)
{
    if (controller > 31)
        return;
    const int msb = (value >> 7) & 0x7F;
    const int lsb = value & 0x7F;
    toUserOutputs([&](MessageDestination *d) {
        sendMIDIOutControl(controller, msb, channel, d);
        sendMIDIOutControl(controller + 32, lsb, channel, d);
    });
}

// The parameter is selected again before every value, and no null parameter follows, so a
// receiver that missed earlier traffic still applies the value to the right parameter.
void MidiRouter::sendNRPN(quint16 parameter, quint16 value, int channel)
{
    toUserOutputs([&](MessageDestination *d) {
        sendMIDIOutControl(99, (parameter >> 7) & 0x7F, channel, d);
        sendMIDIOutControl(98, parameter & 0x7F, channel, d);
        sendMIDIOutControl(6, (value >> 7) & 0x7F, channel, d);
        sendMIDIOutControl(38, value & 0x7F, channel, d);
    });
}

void MidiRouter::sendControlSurfaceControl(int controller, int value, int channel)
{
    sendMIDIOutControl(controller, value, channel, m_surfaceOutput);
}

void MidiRouter::sendControlSurfacePitchBend(quint16 value, int channel)
{
    sendMIDIOutPitchBend(value, channel, m_surfaceOutput);
}

void MidiRouter::sendControlSurfaceNoteOn(int note, int velocity, int channel)
{
    sendMIDIOutNoteOn(note, velocity, channel, m_surfaceOutput);
}

void MidiRouter::sendControlSurfaceSystemExclusive(const QByteArray &body)
{
    if (m_surfaceOutput)
        m_surfaceOutput->takeMIDIMessages(
            {SystemExclusiveMessage::systemExclusiveMessageWithTimeStamp(0, body)});
}

void MidiRouter::sendMIDIOutNoteOn(int note, int velocity, int channel, MessageDestination *destination)
{
    sendVoice(0x90, channel, note, velocity, destination);
}

void MidiRouter::sendMIDIOutControl(int controller, int value, int channel, MessageDestination *destination)
{
    sendVoice(0xB0, channel, controller, value, destination);
}

void MidiRouter::sendMIDIOutPitchBend(quint16 value, int channel, MessageDestination *destination)
{
    const quint16 clamped = std::min<quint16>(value, 0x3FFF);
    sendVoice(0xE0, channel, clamped & 0x7F, clamped >> 7, destination);
}

void MidiRouter::sendMIDIOutProgram(int program, int channel, MessageDestination *destination)
{
    sendVoice(0xC0, channel, program, 0, destination);
}

void MidiRouter::sendMIDIOutMMC(qint8 command, MessageDestination *destination)
{
    if (!destination)
        return;
    const QByteArray body{"\x7F\x7F\x06", 3};
    destination->takeMIDIMessages(
        {SystemExclusiveMessage::systemExclusiveMessageWithTimeStamp(0, body + char(command))});
}

} // namespace midi

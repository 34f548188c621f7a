#include "VoiceMessage.h"

namespace midi {

VoiceMessage VoiceMessage::voiceMessageWithTimeStamp(quint64 timeStamp, quint8 statusByte, const quint8 *data,
                                                     int length)
{
    QByteArray bytes(1 + std::max(length, 0), '\0');
    bytes[0] = char(statusByte);
    for (int i = 0; i < length; ++i)
        bytes[1 + i] = char(data[i]);
    return VoiceMessage(std::move(bytes), timeStamp);
}

void VoiceMessage::setChannel(quint8 channel)
{
    const quint8 status = quint8(m_bytes.at(0)) & 0xF0;
    m_bytes[0] = char(status | ((channel - 1) & 0x0F));
}

void VoiceMessage::setDataByte1(quint8 value)
{
    setByte(1, value);
}

void VoiceMessage::setDataByte2(quint8 value)
{
    setByte(2, value);
}

// Data bytes travel as given; MidiRouter keeps them below 128.
void VoiceMessage::setByte(qsizetype index, quint8 value)
{
    if (index < m_bytes.size())
        m_bytes[index] = char(value);
}

} // namespace midi

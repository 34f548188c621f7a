#include "Message.h"

namespace midi {

Message::Message(QByteArray bytes, quint64 timeStamp, std::shared_ptr<const Endpoint> originatingEndpoint)
    : m_bytes(std::move(bytes))
    , m_timeStamp(timeStamp)
    , m_origin(std::move(originatingEndpoint))
{
}

MessageType Message::messageType() const
{
    if (m_bytes.isEmpty())
        return MessageType::Unknown;
    const auto status = static_cast<quint8>(m_bytes.at(0));
    switch (status & 0xF0) {
    case 0x80:
        return MessageType::NoteOff;
    case 0x90:
        return MessageType::NoteOn;
    case 0xA0:
        return MessageType::PolyphonicKeyPressure;
    case 0xB0:
        return MessageType::ControlChange;
    case 0xC0:
        return MessageType::ProgramChange;
    case 0xD0:
        return MessageType::ChannelPressure;
    case 0xE0:
        return MessageType::PitchBend;
    case 0xF0:
        return status == 0xF0 ? MessageType::SystemExclusive : MessageType::System;
    default:
        return MessageType::Unknown;
    }
}

int Message::channel() const
{
    const auto status = static_cast<quint8>(m_bytes.isEmpty() ? 0 : m_bytes.at(0));
    if (status < 0x80 || status >= 0xF0)
        return 0;
    return (status & 0x0F) + 1;
}

QByteArray Message::data() const
{
    if (messageType() != MessageType::SystemExclusive)
        return {};
    qsizetype length = m_bytes.size() - 1;
    if (m_bytes.endsWith(char(0xF7)))
        --length;
    return m_bytes.mid(1, length);
}

int Message::byteAt(qsizetype index) const
{
    return index < m_bytes.size() ? static_cast<quint8>(m_bytes.at(index)) : 0;
}

} // namespace midi

#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

namespace midi {

class Endpoint;

enum class MessageType {
    Unknown,
    NoteOff,
    NoteOn,
    PolyphonicKeyPressure,
    ControlChange,
    ProgramChange,
    ChannelPressure,
    PitchBend,
    SystemExclusive,
    System,
};

// One complete MIDI message as it travels on the wire (a system-exclusive message includes
// its F0 and F7), with the endpoint it arrived on when it was received.
class Message {
public:
    Message() = default;
    explicit Message(QByteArray bytes, quint64 timeStamp = 0,
                     std::shared_ptr<const Endpoint> originatingEndpoint = {});

    quint64 timeStamp() const { return m_timeStamp; }
    MessageType messageType() const;
    // 1 … 16 for channel messages, 0 for system messages.
    int channel() const;
    int dataByte1() const { return byteAt(1); }
    int dataByte2() const { return byteAt(2); }
    // The system-exclusive body without F0 and F7; empty for other messages.
    QByteArray data() const;
    const QByteArray &bytes() const { return m_bytes; }
    // For a virtual input the program's own destination, for a port input the chosen source.
    const std::shared_ptr<const Endpoint> &originatingEndpoint() const { return m_origin; }

protected:
    int byteAt(qsizetype index) const;

    QByteArray m_bytes;
    quint64 m_timeStamp = 0;
    std::shared_ptr<const Endpoint> m_origin;
};

using MessageList = QList<Message>;

} // namespace midi

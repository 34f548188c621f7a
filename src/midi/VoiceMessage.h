#pragma once

#include "Message.h"

namespace midi {

// A channel voice message built from its parts.
class VoiceMessage : public Message {
public:
    // statusByte carries the message type in its upper four bits; length is the number of
    // data bytes (1 for program change and channel pressure, else 2).
    static VoiceMessage voiceMessageWithTimeStamp(quint64 timeStamp, quint8 statusByte, const quint8 *data,
                                                  int length);

    // Channels are 1 … 16. Any other number is taken modulo 16 after subtracting one, so the
    // status byte stays a valid one: channel 0 (a record without a channel) lands on 16.
    void setChannel(quint8 channel);
    void setDataByte1(quint8 value);
    void setDataByte2(quint8 value);

private:
    using Message::Message;
    void setByte(qsizetype index, quint8 value);
};

} // namespace midi

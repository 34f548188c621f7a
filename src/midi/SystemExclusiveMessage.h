#pragma once

#include "Message.h"

namespace midi {

class SystemExclusiveMessage : public Message {
public:
    // body excludes F0 and F7; both are added here.
    static SystemExclusiveMessage systemExclusiveMessageWithTimeStamp(quint64 timeStamp,
                                                                      const QByteArray &body);

private:
    using Message::Message;
};

} // namespace midi

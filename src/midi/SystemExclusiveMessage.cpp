#include "SystemExclusiveMessage.h"

namespace midi {

SystemExclusiveMessage SystemExclusiveMessage::systemExclusiveMessageWithTimeStamp(quint64 timeStamp,
                                                                                   const QByteArray &body)
{
    QByteArray bytes;
    bytes.reserve(body.size() + 2);
    bytes.append(char(0xF0)).append(body).append(char(0xF7));
    return SystemExclusiveMessage(std::move(bytes), timeStamp);
}

} // namespace midi

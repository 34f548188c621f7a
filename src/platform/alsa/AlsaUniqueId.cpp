#include "AlsaUniqueId.h"

qint32 AlsaUniqueId::ownPort(int port)
{
    return kOwnTag | (port & 0xFFFF);
}

std::optional<int> AlsaUniqueId::portOf(qint32 uniqueID)
{
    if (uniqueID < 0 || (uniqueID & kTagMask) != kOwnTag)
        return std::nullopt;
    const int port = uniqueID & 0xFFFF;
    // The sequencer numbers ports 0 … 253.
    if (port > 253)
        return std::nullopt;
    return port;
}

qint32 AlsaUniqueId::otherPort(int client, int port)
{
    return (client << 8) | (port & 0xFF);
}

qint32 AlsaUniqueId::device(int client)
{
    return client;
}

#pragma once

namespace osc {

class Message;

// Receives every message decoded from a datagram or a stream frame, bundles already unpacked.
class PacketDestination {
public:
    virtual ~PacketDestination() = default;
    virtual void takeMessage(const Message &message) = 0;
};

} // namespace osc

#pragma once

#include "osc/PacketDestination.h"

namespace osc {

class Client;

// Receives the replies a client reads from its TCP connection and news of that connection.
class ClientDelegate : public PacketDestination {
public:
    virtual void clientDidConnect(Client *) {}
    virtual void clientDidDisconnect(Client *) {}
};

} // namespace osc

#pragma once

#include "DestinationEndpoint.h"
#include "Message.h"
#include "SourceEndpoint.h"

#include <QList>

#include <memory>

namespace midi {

// A sending port of the program, made by a backend. A virtual port is published under a
// name for others to read from; a private port sends only to the destinations it is given.
class OutputPort {
public:
    virtual ~OutputPort() = default;
    virtual void send(const Message &message) = 0;
    // Only private ports take destinations; virtual ports leave connecting to others.
    virtual void connectTo(const QList<std::shared_ptr<DestinationEndpoint>> &destinations) = 0;
    // The published endpoint of a virtual port, null for a private one.
    virtual std::shared_ptr<SourceEndpoint> endpoint() const = 0;
};

} // namespace midi

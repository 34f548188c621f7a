#pragma once

#include "MessageDestination.h"
#include "OutputPort.h"

namespace midi {

// Publishes one virtual source under a name; what it takes is sent at once.
class VirtualOutputStream : public MessageDestination {
public:
    // uniqueID 0 lets the system choose.
    VirtualOutputStream(const QString &name, qint32 uniqueID);

    // Null when the MIDI system could not make the port.
    std::shared_ptr<SourceEndpoint> endpoint() const;
    void takeMIDIMessages(const MessageList &messages) override;

private:
    std::unique_ptr<OutputPort> m_port;
};

} // namespace midi

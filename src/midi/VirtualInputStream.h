#pragma once

#include "InputPort.h"
#include "MessageDestination.h"

namespace midi {

// Publishes one virtual destination; what others send to it goes to the message destination.
class VirtualInputStream {
public:
    VirtualInputStream() = default;

    // Publishes the destination under this name on the first call.
    void setVirtualEndpointName(const QString &name);
    // The stream's only source of input is its own endpoint; delivery stops while it is
    // not selected.
    QList<std::shared_ptr<DestinationEndpoint>> inputSources() const;
    void setSelectedInputSources(const QList<std::shared_ptr<DestinationEndpoint>> &sources);
    // Not owned; must outlive the stream.
    void setMessageDestination(MessageDestination *destination);
    // Null before a name was set, or when the MIDI system could not make the port.
    std::shared_ptr<DestinationEndpoint> endpoint() const;

private:
    void deliver(const MessageList &messages);

    std::unique_ptr<InputPort> m_port;
    MessageDestination *m_destination = nullptr;
    bool m_selected = false;
};

} // namespace midi

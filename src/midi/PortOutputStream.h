#pragma once

#include "MessageDestination.h"
#include "OutputPort.h"

#include <optional>

namespace midi {

// Sends to a set of destinations of other programs.
class PortOutputStream : public MessageDestination {
public:
    PortOutputStream();

    // nullopt disconnects; senders test for it before sending (an empty set still answers).
    void setEndpoints(const std::optional<QList<std::shared_ptr<DestinationEndpoint>>> &endpoints);
    const std::optional<QList<std::shared_ptr<DestinationEndpoint>>> &endpoints() const
    {
        return m_endpoints;
    }
    void takeMIDIMessages(const MessageList &messages) override;

private:
    std::unique_ptr<OutputPort> m_port;
    std::optional<QList<std::shared_ptr<DestinationEndpoint>>> m_endpoints;
};

} // namespace midi

#pragma once

#include "InputPort.h"
#include "MessageDestination.h"

namespace midi {

// Listens to a set of sources of other programs.
class PortInputStream {
public:
    PortInputStream();

    // Not owned; must outlive the stream.
    void setMessageDestination(MessageDestination *destination);
    // Empty stops listening.
    void setEndpoints(const QList<std::shared_ptr<SourceEndpoint>> &endpoints);
    const QList<std::shared_ptr<SourceEndpoint>> &endpoints() const { return m_endpoints; }

private:
    std::unique_ptr<InputPort> m_port;
    MessageDestination *m_destination = nullptr;
    QList<std::shared_ptr<SourceEndpoint>> m_endpoints;
};

} // namespace midi

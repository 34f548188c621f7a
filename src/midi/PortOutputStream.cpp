#include "PortOutputStream.h"

#include "Client.h"

namespace midi {

PortOutputStream::PortOutputStream()
    : m_port(Client::sharedClient()->backend().createPortOutput())
{
}

void PortOutputStream::setEndpoints(
    const std::optional<QList<std::shared_ptr<DestinationEndpoint>>> &endpoints)
{
    m_endpoints = endpoints;
    if (m_port)
        m_port->connectTo(endpoints.value_or(QList<std::shared_ptr<DestinationEndpoint>>()));
}

void PortOutputStream::takeMIDIMessages(const MessageList &messages)
{
    if (!m_port || !m_endpoints || m_endpoints->isEmpty())
        return;
    for (const Message &message : messages)
        m_port->send(message);
}

} // namespace midi

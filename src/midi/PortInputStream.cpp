#include "PortInputStream.h"

#include "Client.h"

namespace midi {

PortInputStream::PortInputStream()
    : m_port(Client::sharedClient()->backend().createPortInput())
{
    if (m_port) {
        m_port->setHandler([this](const MessageList &messages) {
            if (m_destination)
                m_destination->takeMIDIMessages(messages);
        });
    }
}

void PortInputStream::setMessageDestination(MessageDestination *destination)
{
    m_destination = destination;
}

void PortInputStream::setEndpoints(const QList<std::shared_ptr<SourceEndpoint>> &endpoints)
{
    m_endpoints = endpoints;
    if (m_port)
        m_port->connectFrom(endpoints);
}

} // namespace midi

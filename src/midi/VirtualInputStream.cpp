#include "VirtualInputStream.h"

#include "Client.h"

namespace midi {

void VirtualInputStream::setVirtualEndpointName(const QString &name)
{
    if (m_port)
        return;
    m_port = Client::sharedClient()->backend().createVirtualDestination(name, 0);
    if (m_port)
        m_port->setHandler([this](const MessageList &messages) { deliver(messages); });
}

QList<std::shared_ptr<DestinationEndpoint>> VirtualInputStream::inputSources() const
{
    if (auto own = endpoint())
        return {own};
    return {};
}

void VirtualInputStream::setSelectedInputSources(const QList<std::shared_ptr<DestinationEndpoint>> &sources)
{
    const auto own = endpoint();
    m_selected = own && sources.contains(own);
}

void VirtualInputStream::setMessageDestination(MessageDestination *destination)
{
    m_destination = destination;
}

std::shared_ptr<DestinationEndpoint> VirtualInputStream::endpoint() const
{
    return m_port ? m_port->endpoint() : nullptr;
}

void VirtualInputStream::deliver(const MessageList &messages)
{
    if (m_selected && m_destination)
        m_destination->takeMIDIMessages(messages);
}

} // namespace midi

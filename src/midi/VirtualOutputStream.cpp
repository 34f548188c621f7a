#include "VirtualOutputStream.h"

#include "Client.h"

namespace midi {

VirtualOutputStream::VirtualOutputStream(const QString &name, qint32 uniqueID)
    : m_port(Client::sharedClient()->backend().createVirtualSource(name, uniqueID))
{
}

std::shared_ptr<SourceEndpoint> VirtualOutputStream::endpoint() const
{
    return m_port ? m_port->endpoint() : nullptr;
}

void VirtualOutputStream::takeMIDIMessages(const MessageList &messages)
{
    if (!m_port)
        return;
    for (const Message &message : messages)
        m_port->send(message);
}

} // namespace midi

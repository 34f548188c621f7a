#include "JackOutputPort.h"

#include "JackClient.h"
#include "JackEndpoint.h"

JackOutputPort::JackOutputPort(std::shared_ptr<JackClient> client, std::unique_ptr<JackMidiPort> port,
                               std::shared_ptr<midi::SourceEndpoint> endpoint)
    : m_client(std::move(client))
    , m_port(std::move(port))
    , m_endpoint(std::move(endpoint))
{
}

JackOutputPort::~JackOutputPort()
{
    m_client->unregisterPort(std::move(m_port));
}

// A full ring drops the message; the program does not report failed sends.
void JackOutputPort::send(const midi::Message &message)
{
    m_port->send(message.bytes());
}

void JackOutputPort::connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations)
{
    if (m_endpoint)
        return;
    QStringList peers;
    for (const auto &destination : destinations) {
        if (auto jack = std::dynamic_pointer_cast<JackEndpoint<midi::DestinationEndpoint>>(destination))
            peers.append(jack->fullName());
    }
    m_client->setConnections(*m_port, peers);
}

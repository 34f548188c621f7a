#include "JackInputPort.h"

#include "JackBackend.h"
#include "JackClient.h"
#include "JackEndpoint.h"

JackInputPort::JackInputPort(JackBackend &backend, std::shared_ptr<JackClient> client,
                             std::unique_ptr<JackMidiPort> port,
                             std::shared_ptr<midi::DestinationEndpoint> endpoint)
    : m_backend(backend)
    , m_client(std::move(client))
    , m_port(std::move(port))
    , m_endpoint(std::move(endpoint))
{
    m_backend.registerInput(this);
}

JackInputPort::~JackInputPort()
{
    m_backend.unregisterInput(this);
    m_client->unregisterPort(std::move(m_port));
}

void JackInputPort::connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources)
{
    if (m_endpoint)
        return;
    m_sources.clear();
    QStringList peers;
    for (const auto &source : sources) {
        if (auto jack = std::dynamic_pointer_cast<JackEndpoint<midi::SourceEndpoint>>(source)) {
            peers.append(jack->fullName());
            m_sources.append(source);
        }
    }
    m_client->setConnections(*m_port, peers);
}

void JackInputPort::drain()
{
    midi::MessageList messages;
    const auto from = origin();
    m_port->drain([&](QByteArrayView chunk, bool gap) {
        if (gap) {
            m_stream.reset();
            return;
        }
        for (QByteArray &bytes : m_stream.append(chunk))
            messages.append(midi::Message(std::move(bytes), 0, from));
    });
    // Bytes on the private port with no source chosen come from a connection someone else
    // made; the stream listens to no source then.
    if (!messages.isEmpty() && from && m_handler)
        m_handler(messages);
}

// JACK mixes everything connected to one port, so with several sources connected a message
// cannot be traced to one of them; it is credited to the first. The program connects one.
std::shared_ptr<const midi::Endpoint> JackInputPort::origin() const
{
    if (m_endpoint)
        return m_endpoint;
    return m_sources.value(0);
}

#include "LoopbackPorts.h"

#include "LoopbackBackend.h"

LoopbackOutputPort::LoopbackOutputPort(LoopbackBackend &backend,
                                       std::shared_ptr<midi::SourceEndpoint> endpoint)
    : m_backend(backend)
    , m_endpoint(std::move(endpoint))
{
}

void LoopbackOutputPort::send(const midi::Message &message)
{
    if (m_endpoint) {
        m_backend.record(m_endpoint->name(), message.bytes());
        return;
    }
    for (const auto &destination : m_destinations)
        m_backend.record(destination->name(), message.bytes());
}

void LoopbackOutputPort::connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations)
{
    if (!m_endpoint)
        m_destinations = destinations;
}

LoopbackInputPort::LoopbackInputPort(LoopbackBackend &backend,
                                     std::shared_ptr<midi::DestinationEndpoint> endpoint)
    : m_backend(backend)
    , m_endpoint(std::move(endpoint))
{
    m_backend.registerInput(this);
}

LoopbackInputPort::~LoopbackInputPort()
{
    m_backend.unregisterInput(this);
}

void LoopbackInputPort::connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources)
{
    if (!m_endpoint)
        m_sources = sources;
}

bool LoopbackInputPort::receive(const QString &endpointName, const QByteArray &bytes)
{
    std::shared_ptr<const midi::Endpoint> origin;
    if (m_endpoint && m_endpoint->name() == endpointName)
        origin = m_endpoint;
    for (const auto &source : m_sources) {
        if (!origin && source->name() == endpointName)
            origin = source;
    }
    if (!origin)
        return false;
    if (m_handler)
        m_handler({midi::Message(bytes, 0, origin)});
    return true;
}

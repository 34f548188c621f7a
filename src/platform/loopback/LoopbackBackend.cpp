#include "LoopbackBackend.h"

#include "LoopbackPorts.h"

LoopbackBackend::LoopbackBackend() = default;
LoopbackBackend::~LoopbackBackend() = default;

QString LoopbackBackend::name() const
{
    return QStringLiteral("loopback");
}

QList<std::shared_ptr<midi::Device>> LoopbackBackend::devices() const
{
    return m_devices;
}

QList<std::shared_ptr<midi::SourceEndpoint>> LoopbackBackend::sourceEndpoints() const
{
    return m_sources;
}

QList<std::shared_ptr<midi::DestinationEndpoint>> LoopbackBackend::destinationEndpoints() const
{
    return m_destinations;
}

std::unique_ptr<midi::OutputPort> LoopbackBackend::createVirtualSource(const QString &name, qint32 uniqueID)
{
    auto endpoint = std::make_shared<LoopbackVirtualEndpoint<midi::SourceEndpoint>>(
        name, uniqueID ? uniqueID : nextUniqueID());
    return std::make_unique<LoopbackOutputPort>(*this, std::move(endpoint));
}

std::unique_ptr<midi::InputPort> LoopbackBackend::createVirtualDestination(const QString &name,
                                                                           qint32 uniqueID)
{
    auto endpoint = std::make_shared<LoopbackVirtualEndpoint<midi::DestinationEndpoint>>(
        name, uniqueID ? uniqueID : nextUniqueID());
    return std::make_unique<LoopbackInputPort>(*this, std::move(endpoint));
}

std::unique_ptr<midi::OutputPort> LoopbackBackend::createPortOutput()
{
    return std::make_unique<LoopbackOutputPort>(*this, nullptr);
}

std::unique_ptr<midi::InputPort> LoopbackBackend::createPortInput()
{
    return std::make_unique<LoopbackInputPort>(*this, nullptr);
}

std::shared_ptr<midi::Device> LoopbackBackend::addDevice(const QString &name, const QStringList &sources,
                                                         const QStringList &destinations)
{
    auto device = std::make_shared<midi::Device>(name, nextUniqueID());
    for (const QString &source : sources)
        m_sources.append(std::make_shared<midi::SourceEndpoint>(source, device, nextUniqueID()));
    for (const QString &destination : destinations)
        m_destinations.append(
            std::make_shared<midi::DestinationEndpoint>(destination, device, nextUniqueID()));
    m_devices.append(device);
    Q_EMIT setupChanged();
    return device;
}

void LoopbackBackend::removeDevice(const std::shared_ptr<midi::Device> &device)
{
    m_devices.removeAll(device);
    m_sources.removeIf([&](const auto &endpoint) { return endpoint->device() == device; });
    m_destinations.removeIf([&](const auto &endpoint) { return endpoint->device() == device; });
    Q_EMIT setupChanged();
}

bool LoopbackBackend::inject(const QString &endpointName, const QByteArray &bytes)
{
    bool delivered = false;
    for (LoopbackInputPort *port : m_inputs)
        delivered = port->receive(endpointName, bytes) || delivered;
    return delivered;
}

void LoopbackBackend::record(const QString &target, const QByteArray &bytes)
{
    m_sent.append({target, bytes});
}

void LoopbackBackend::registerInput(LoopbackInputPort *port)
{
    m_inputs.append(port);
}

void LoopbackBackend::unregisterInput(LoopbackInputPort *port)
{
    m_inputs.removeAll(port);
}

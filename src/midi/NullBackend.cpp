#include "NullBackend.h"

namespace midi {

QString NullBackend::name() const
{
    return QStringLiteral("none");
}

QList<std::shared_ptr<Device>> NullBackend::devices() const
{
    return {};
}

QList<std::shared_ptr<SourceEndpoint>> NullBackend::sourceEndpoints() const
{
    return {};
}

QList<std::shared_ptr<DestinationEndpoint>> NullBackend::destinationEndpoints() const
{
    return {};
}

std::unique_ptr<OutputPort> NullBackend::createVirtualSource(const QString &, qint32)
{
    return nullptr;
}

std::unique_ptr<InputPort> NullBackend::createVirtualDestination(const QString &, qint32)
{
    return nullptr;
}

std::unique_ptr<OutputPort> NullBackend::createPortOutput()
{
    return nullptr;
}

std::unique_ptr<InputPort> NullBackend::createPortInput()
{
    return nullptr;
}

} // namespace midi

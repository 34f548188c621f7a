#include "Endpoint.h"

namespace midi {

Endpoint::Endpoint(Direction direction, QString name, std::shared_ptr<const Device> device, qint32 uniqueID)
    : m_direction(direction)
    , m_name(std::move(name))
    , m_device(std::move(device))
    , m_uniqueID(uniqueID)
{
}

// Identifiers of other programs' endpoints are theirs; only virtual endpoints accept one.
void Endpoint::setUniqueID(qint32) {}

} // namespace midi

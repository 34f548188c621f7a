#include "Device.h"

#include "Client.h"

namespace midi {

Device::Device(QString name, qint32 uniqueID, bool online)
    : m_name(std::move(name))
    , m_uniqueID(uniqueID)
    , m_online(online)
{
}

QList<std::shared_ptr<Device>> Device::devices()
{
    return Client::sharedClient()->devices();
}

} // namespace midi

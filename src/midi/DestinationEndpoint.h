#pragma once

#include "Endpoint.h"

#include <QList>

namespace midi {

// An endpoint the program can write to.
class DestinationEndpoint : public Endpoint {
public:
    DestinationEndpoint(QString name, std::shared_ptr<const Device> device, qint32 uniqueID)
        : Endpoint(Direction::Destination, std::move(name), std::move(device), uniqueID)
    {
    }

    static QList<std::shared_ptr<DestinationEndpoint>> destinationEndpoints();
};

} // namespace midi

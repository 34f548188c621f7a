#pragma once

#include "Endpoint.h"

#include <QList>

namespace midi {

// An endpoint the program can read from.
class SourceEndpoint : public Endpoint {
public:
    SourceEndpoint(QString name, std::shared_ptr<const Device> device, qint32 uniqueID)
        : Endpoint(Direction::Source, std::move(name), std::move(device), uniqueID)
    {
    }

    static QList<std::shared_ptr<SourceEndpoint>> sourceEndpoints();
};

} // namespace midi

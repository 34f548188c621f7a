#include "DestinationEndpoint.h"

#include "Client.h"

namespace midi {

QList<std::shared_ptr<DestinationEndpoint>> DestinationEndpoint::destinationEndpoints()
{
    return Client::sharedClient()->destinationEndpoints();
}

} // namespace midi

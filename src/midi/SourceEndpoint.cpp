#include "SourceEndpoint.h"

#include "Client.h"

namespace midi {

QList<std::shared_ptr<SourceEndpoint>> SourceEndpoint::sourceEndpoints()
{
    return Client::sharedClient()->sourceEndpoints();
}

} // namespace midi

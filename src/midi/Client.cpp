#include "Client.h"

#include "NullBackend.h"

namespace midi {

Client::Client()
{
    setBackend(std::make_unique<NullBackend>());
}

Client *Client::sharedClient()
{
    static Client client;
    return &client;
}

void Client::installBackend(std::unique_ptr<Backend> backend)
{
    sharedClient()->setBackend(backend ? std::move(backend) : std::make_unique<NullBackend>());
}

void Client::setBackend(std::unique_ptr<Backend> backend)
{
    m_backend = std::move(backend);
    connect(m_backend.get(), &Backend::setupChanged, this, &Client::setupChanged);
}

} // namespace midi

#include "JackBackend.h"

#include "JackClient.h"
#include "JackEndpoint.h"
#include "JackInputPort.h"
#include "JackOutputPort.h"
#include "StableId.h"

#include <cerrno>
#include <cstring>

std::unique_ptr<JackBackend> JackBackend::open(const QString &portClientName, QString *error)
{
    std::unique_ptr<JackBackend> backend(new JackBackend);
    if (!backend->m_waker.isValid()) {
        if (error)
            *error = QStringLiteral("eventfd: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return nullptr;
    }
    backend->m_portClient = JackClient::open(portClientName, backend->m_waker, true, error);
    if (!backend->m_portClient)
        return nullptr;
    connect(&backend->m_waker, &JackWaker::woken, backend.get(), &JackBackend::onWoken);
    backend->refresh();
    return backend;
}

// Streams are gone by now (Client::installBackend's contract); the port client closes last.
JackBackend::~JackBackend() = default;

QString JackBackend::name() const
{
    return QStringLiteral("jack");
}

std::unique_ptr<midi::OutputPort> JackBackend::createVirtualSource(const QString &name, qint32)
{
    auto client = pairClient(name);
    auto port =
        client ? client->registerPort(QStringLiteral("out"), JackMidiPort::Direction::Output) : nullptr;
    if (!port)
        return nullptr;
    const QString fullName = QString::fromUtf8(jack_port_name(port->handle()));
    auto endpoint = std::make_shared<JackEndpoint<midi::SourceEndpoint>>(name, nullptr, fullName,
                                                                         StableId::fromName(fullName));
    return std::make_unique<JackOutputPort>(std::move(client), std::move(port), std::move(endpoint));
}

std::unique_ptr<midi::InputPort> JackBackend::createVirtualDestination(const QString &name, qint32)
{
    auto client = pairClient(name);
    auto port = client ? client->registerPort(QStringLiteral("in"), JackMidiPort::Direction::Input) : nullptr;
    if (!port)
        return nullptr;
    const QString fullName = QString::fromUtf8(jack_port_name(port->handle()));
    auto endpoint = std::make_shared<JackEndpoint<midi::DestinationEndpoint>>(name, nullptr, fullName,
                                                                              StableId::fromName(fullName));
    return std::make_unique<JackInputPort>(*this, std::move(client), std::move(port), std::move(endpoint));
}

std::unique_ptr<midi::OutputPort> JackBackend::createPortOutput()
{
    auto port = m_portClient->registerPort(QStringLiteral("out"), JackMidiPort::Direction::Output);
    if (!port)
        return nullptr;
    return std::make_unique<JackOutputPort>(m_portClient, std::move(port), nullptr);
}

std::unique_ptr<midi::InputPort> JackBackend::createPortInput()
{
    auto port = m_portClient->registerPort(QStringLiteral("in"), JackMidiPort::Direction::Input);
    if (!port)
        return nullptr;
    return std::make_unique<JackInputPort>(*this, m_portClient, std::move(port), nullptr);
}

void JackBackend::registerInput(JackInputPort *port)
{
    m_inputs.append(port);
}

void JackBackend::unregisterInput(JackInputPort *port)
{
    m_inputs.removeAll(port);
}

// A pair's client lives while one of its two ports does.
std::shared_ptr<JackClient> JackBackend::pairClient(const QString &name)
{
    if (auto client = m_pairClients.value(name).lock())
        return client;
    auto client = JackClient::open(name, m_waker, false, nullptr);
    if (client)
        m_pairClients.insert(name, client);
    return client;
}

QStringList JackBackend::ownClientNames() const
{
    QStringList names{m_portClient->name()};
    for (const auto &weak : m_pairClients) {
        if (auto client = weak.lock())
            names.append(client->name());
    }
    return names;
}

void JackBackend::onWoken(bool setupChanged)
{
    // A handler may destroy ports; only those still registered are drained.
    const auto inputs = m_inputs;
    for (JackInputPort *port : inputs) {
        if (m_inputs.contains(port))
            port->drain();
    }
    if (setupChanged) {
        refresh();
        Q_EMIT this->setupChanged();
    }
}

void JackBackend::refresh()
{
    m_devices.clear();
    m_sources.clear();
    m_destinations.clear();
    if (!m_portClient->isAlive())
        return;
    jack_client_t *client = m_portClient->handle();
    const char **names = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, 0);
    if (!names)
        return;
    const QStringList own = ownClientNames();
    QHash<QString, std::shared_ptr<midi::Device>> byClient;
    for (const char **name = names; *name; ++name) {
        jack_port_t *port = jack_port_by_name(client, *name);
        if (!port)
            continue;
        const QString fullName = QString::fromUtf8(*name);
        const QString shortName = QString::fromUtf8(jack_port_short_name(port));
        // Port names may hold ':' themselves (bridged ALSA ports do), so the client name is the
        // full name less the short name.
        const QString clientName = fullName.left(fullName.size() - shortName.size() - 1);
        if (own.contains(clientName))
            continue;
        auto &device = byClient[clientName];
        if (!device) {
            device = std::make_shared<midi::Device>(clientName, StableId::fromName(clientName));
            m_devices.append(device);
        }
        const int flags = jack_port_flags(port);
        const qint32 id = StableId::fromName(fullName);
        if (flags & JackPortIsOutput)
            m_sources.append(
                std::make_shared<JackEndpoint<midi::SourceEndpoint>>(shortName, device, fullName, id));
        else if (flags & JackPortIsInput)
            m_destinations.append(
                std::make_shared<JackEndpoint<midi::DestinationEndpoint>>(shortName, device, fullName, id));
    }
    jack_free(names);
}

#include "JackClient.h"

#include "JackWaker.h"

#include <QElapsedTimer>

#include <jack/midiport.h>

#include <algorithm>
#include <thread>

std::shared_ptr<JackClient> JackClient::open(const QString &name, JackWaker &waker, bool watchSetup,
                                             QString *error)
{
    jack_status_t status{};
    jack_client_t *client = jack_client_open(name.toUtf8().constData(), JackNoStartServer, &status);
    if (!client) {
        if (error)
            *error = QStringLiteral("jack_client_open(\"%1\"): status 0x%2")
                         .arg(name)
                         .arg(unsigned(status), 0, 16);
        return nullptr;
    }
    std::shared_ptr<JackClient> result(new JackClient(client, waker));
    if (!result->start(watchSetup, error))
        return nullptr;
    return result;
}

JackClient::JackClient(jack_client_t *client, JackWaker &waker)
    : m_client(client)
    , m_waker(waker)
    , m_name(QString::fromUtf8(jack_get_client_name(client)))
{
}

// Callbacks can only be set before activation.
bool JackClient::start(bool watchSetup, QString *error)
{
    jack_set_process_callback(m_client, &JackClient::process, this);
    jack_on_shutdown(m_client, &JackClient::shutdown, this);
    if (watchSetup) {
        jack_set_port_registration_callback(m_client, &JackClient::portRegistered, this);
        jack_set_port_rename_callback(m_client, &JackClient::portRenamed, this);
        jack_set_port_connect_callback(m_client, &JackClient::portConnected, this);
        jack_set_client_registration_callback(m_client, &JackClient::clientRegistered, this);
    }
    if (const int rc = jack_activate(m_client); rc != 0) {
        if (error)
            *error = QStringLiteral("jack_activate(\"%1\"): %2").arg(m_name).arg(rc);
        return false;
    }
    return true;
}

// Closing stops the process thread, so the ports still in the table are safe to free after.
JackClient::~JackClient()
{
    jack_client_close(m_client);
}

std::unique_ptr<JackMidiPort> JackClient::registerPort(const QString &shortName,
                                                       JackMidiPort::Direction direction)
{
    auto slot = std::find_if(m_ports.begin(), m_ports.end(), [](const auto &p) { return !p.load(); });
    if (slot == m_ports.end() || !isAlive())
        return nullptr;
    const unsigned long flags =
        direction == JackMidiPort::Direction::Input ? JackPortIsInput : JackPortIsOutput;
    jack_port_t *handle =
        jack_port_register(m_client, shortName.toUtf8().constData(), JACK_DEFAULT_MIDI_TYPE, flags, 0);
    if (!handle)
        return nullptr;
    auto port = std::make_unique<JackMidiPort>(handle, direction);
    slot->store(port.get(), std::memory_order_release);
    return port;
}

void JackClient::unregisterPort(std::unique_ptr<JackMidiPort> port)
{
    if (!port)
        return;
    // What was sent just before the close (a program that sends and quits) is still on the
    // ring: one more cycle hands it to the server.
    if (port->direction() == JackMidiPort::Direction::Output)
        waitForCycle();
    for (auto &slot : m_ports) {
        JackMidiPort *expected = port.get();
        slot.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
    }
    waitForCycle();
    jack_port_unregister(m_client, port->handle());
}

// A cycle that started before the port left the table ends before the counter has moved
// twice. A server that stalls must not hang the program, hence the bound.
void JackClient::waitForCycle()
{
    const std::uint64_t start = m_cycles.load(std::memory_order_acquire);
    QElapsedTimer timer;
    timer.start();
    while (isAlive() && m_cycles.load(std::memory_order_acquire) < start + 2 && timer.elapsed() < 500)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void JackClient::setConnections(const JackMidiPort &port, const QStringList &peers)
{
    const QByteArray own = jack_port_name(port.handle());
    QStringList current;
    if (const char **connections = jack_port_get_connections(port.handle())) {
        for (const char **c = connections; *c; ++c)
            current.append(QString::fromUtf8(*c));
        jack_free(connections);
    }
    const bool output = port.direction() == JackMidiPort::Direction::Output;
    auto link = [&](const QString &peer, bool connect) {
        const QByteArray other = peer.toUtf8();
        const char *from = output ? own.constData() : other.constData();
        const char *to = output ? other.constData() : own.constData();
        if (connect)
            jack_connect(m_client, from, to);
        else
            jack_disconnect(m_client, from, to);
    };
    for (const QString &peer : current) {
        if (!peers.contains(peer))
            link(peer, false);
    }
    for (const QString &peer : peers) {
        if (!current.contains(peer))
            link(peer, true);
    }
}

// The real-time part: no allocation, no lock, no Qt beyond the atomics and the ring copies.
int JackClient::process(jack_nframes_t frames, void *self) noexcept
{
    auto *client = static_cast<JackClient *>(self);
    for (auto &slot : client->m_ports) {
        if (JackMidiPort *port = slot.load(std::memory_order_acquire))
            port->process(frames, client->m_waker);
    }
    client->m_cycles.fetch_add(1, std::memory_order_release);
    return 0;
}

void JackClient::shutdown(void *self) noexcept
{
    auto *client = static_cast<JackClient *>(self);
    client->m_alive.store(false, std::memory_order_release);
    client->m_waker.markSetupChanged();
}

void JackClient::portRegistered(jack_port_id_t, int, void *self) noexcept
{
    static_cast<JackClient *>(self)->m_waker.markSetupChanged();
}

void JackClient::portRenamed(jack_port_id_t, const char *, const char *, void *self) noexcept
{
    static_cast<JackClient *>(self)->m_waker.markSetupChanged();
}

void JackClient::portConnected(jack_port_id_t, jack_port_id_t, int, void *self) noexcept
{
    static_cast<JackClient *>(self)->m_waker.markSetupChanged();
}

void JackClient::clientRegistered(const char *, int, void *self) noexcept
{
    static_cast<JackClient *>(self)->m_waker.markSetupChanged();
}

#include "AlsaOutputPort.h"

#include "AlsaBackend.h"
#include "AlsaOwnPort.h"

AlsaOutputPort::AlsaOutputPort(std::unique_ptr<AlsaOwnPort> port, const QString &name)
    : m_port(std::move(port))
{
    if (name.isEmpty())
        return;
    const snd_seq_addr_t address{quint8(m_port->backend().clientId()), quint8(m_port->number())};
    m_endpoint = std::make_shared<AlsaEndpoint<midi::SourceEndpoint>>(name, nullptr, address,
                                                                      AlsaUniqueId::ownPort(m_port->number()),
                                                                      [this](int n) { return renumber(n); });
}

AlsaOutputPort::~AlsaOutputPort()
{
    if (m_endpoint)
        m_endpoint->detach();
}

// The output queue is the kernel's; with the sequencer non-blocking a full one drops the
// event, and the program does not report failed sends.
void AlsaOutputPort::send(const midi::Message &message)
{
    snd_seq_t *seq = m_port->backend().sequencer();
    m_encoder.encode(message, [&](snd_seq_event_t &event) {
        snd_seq_ev_set_source(&event, m_port->number());
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(seq, &event);
    });
}

// Subscriptions vanish with the device, so what the sequencer holds is asked rather than
// remembered: a returning device is subscribed again, and an unchanged choice changes nothing
// (which would announce a change and rebuild the menus once more).
void AlsaOutputPort::connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations)
{
    if (m_endpoint)
        return;
    snd_seq_t *seq = m_port->backend().sequencer();
    QList<snd_seq_addr_t> wanted;
    for (const auto &destination : destinations) {
        if (auto alsa = std::dynamic_pointer_cast<AlsaEndpoint<midi::DestinationEndpoint>>(destination))
            wanted.append(alsa->address());
    }
    auto same = [](snd_seq_addr_t a, snd_seq_addr_t b) { return a.client == b.client && a.port == b.port; };
    for (const snd_seq_addr_t &old : std::as_const(m_connected)) {
        if (std::none_of(wanted.begin(), wanted.end(), [&](auto w) { return same(w, old); }))
            snd_seq_disconnect_to(seq, m_port->number(), old.client, old.port);
    }
    const snd_seq_addr_t own{quint8(m_port->backend().clientId()), quint8(m_port->number())};
    for (const snd_seq_addr_t &target : std::as_const(wanted)) {
        snd_seq_port_subscribe_t *subscription = nullptr;
        snd_seq_port_subscribe_alloca(&subscription);
        snd_seq_port_subscribe_set_sender(subscription, &own);
        snd_seq_port_subscribe_set_dest(subscription, &target);
        if (snd_seq_get_port_subscription(seq, subscription) != 0)
            snd_seq_subscribe_port(seq, subscription);
    }
    m_connected = wanted;
}

bool AlsaOutputPort::renumber(int number)
{
    return m_port->renumber(number);
}

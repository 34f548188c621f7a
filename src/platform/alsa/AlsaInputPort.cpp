#include "AlsaInputPort.h"

#include "AlsaBackend.h"
#include "AlsaOwnPort.h"

namespace {
int keyOf(snd_seq_addr_t address)
{
    return address.client << 8 | address.port;
}
} // namespace

AlsaInputPort::AlsaInputPort(std::unique_ptr<AlsaOwnPort> port, const QString &name)
    : m_port(std::move(port))
{
    m_port->backend().registerInput(this);
    if (name.isEmpty())
        return;
    const snd_seq_addr_t address{quint8(m_port->backend().clientId()), quint8(m_port->number())};
    m_endpoint = std::make_shared<AlsaEndpoint<midi::DestinationEndpoint>>(
        name, nullptr, address, AlsaUniqueId::ownPort(m_port->number()),
        [this](int n) { return renumber(n); });
}

AlsaInputPort::~AlsaInputPort()
{
    m_port->backend().unregisterInput(this);
    if (m_endpoint)
        m_endpoint->detach();
}

int AlsaInputPort::portNumber() const
{
    return m_port->number();
}

// As for the output port, the sequencer is asked which subscriptions hold.
void AlsaInputPort::connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources)
{
    if (m_endpoint)
        return;
    snd_seq_t *seq = m_port->backend().sequencer();
    QList<std::shared_ptr<AlsaEndpoint<midi::SourceEndpoint>>> wanted;
    for (const auto &source : sources) {
        if (auto alsa = std::dynamic_pointer_cast<AlsaEndpoint<midi::SourceEndpoint>>(source))
            wanted.append(alsa);
    }
    auto listed = [](const auto &list, snd_seq_addr_t a) {
        return std::any_of(list.begin(), list.end(),
                           [&](const auto &e) { return keyOf(e->address()) == keyOf(a); });
    };
    for (const auto &old : std::as_const(m_sources)) {
        if (!listed(wanted, old->address())) {
            snd_seq_disconnect_from(seq, m_port->number(), old->address().client, old->address().port);
            m_streams.remove(keyOf(old->address()));
        }
    }
    const snd_seq_addr_t own{quint8(m_port->backend().clientId()), quint8(m_port->number())};
    for (const auto &source : std::as_const(wanted)) {
        const snd_seq_addr_t sender = source->address();
        snd_seq_port_subscribe_t *subscription = nullptr;
        snd_seq_port_subscribe_alloca(&subscription);
        snd_seq_port_subscribe_set_sender(subscription, &sender);
        snd_seq_port_subscribe_set_dest(subscription, &own);
        if (snd_seq_get_port_subscription(seq, subscription) != 0)
            snd_seq_subscribe_port(seq, subscription);
    }
    m_sources = wanted;
}

midi::MessageList AlsaInputPort::receive(snd_seq_addr_t sender, const QByteArray &bytes)
{
    const auto origin = originOf(sender);
    if (!origin)
        return {};
    midi::MessageList messages;
    for (QByteArray &message : m_streams[keyOf(sender)].append(bytes))
        messages.append(midi::Message(std::move(message), 0, origin));
    return messages;
}

void AlsaInputPort::deliver(const midi::MessageList &messages)
{
    if (m_handler)
        m_handler(messages);
}

void AlsaInputPort::resetStreams()
{
    m_streams.clear();
}

// Anyone may send to a port by address without a subscription; the private port takes only
// what its chosen sources send.
std::shared_ptr<const midi::Endpoint> AlsaInputPort::originOf(snd_seq_addr_t sender) const
{
    if (m_endpoint)
        return m_endpoint;
    for (const auto &source : m_sources) {
        if (keyOf(source->address()) == keyOf(sender))
            return source;
    }
    return nullptr;
}

bool AlsaInputPort::renumber(int number)
{
    return m_port->renumber(number);
}

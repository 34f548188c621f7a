#include "AlsaBackend.h"

#include "AlsaEndpoint.h"
#include "AlsaInputPort.h"
#include "AlsaOutputPort.h"
#include "AlsaOwnPort.h"
#include "AlsaUniqueId.h"

#include <QSocketNotifier>

#include <poll.h>

namespace {

QString failure(const char *call, int rc)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(call), QString::fromLocal8Bit(snd_strerror(rc)));
}

// libasound prints its failures on standard error; the backend reports them to its caller.
void silent(const char *, int, const char *, int, const char *, ...) {}

// Longest event the decoder turns into bytes; only channel and system common events go
// through it, system exclusive is copied as it comes.
constexpr long kDecodeBuffer = 16;

} // namespace

std::unique_ptr<AlsaBackend> AlsaBackend::open(const QString &clientName, QString *error)
{
    snd_lib_error_set_handler(&silent);
    snd_seq_t *seq = nullptr;
    if (const int rc = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK); rc < 0) {
        if (error)
            *error = failure("snd_seq_open", rc);
        return nullptr;
    }
    std::unique_ptr<AlsaBackend> backend(new AlsaBackend(seq));
    if (!backend->start(clientName, error))
        return nullptr;
    return backend;
}

AlsaBackend::AlsaBackend(snd_seq_t *seq)
    : m_seq(seq)
{
}

AlsaBackend::~AlsaBackend()
{
    qDeleteAll(m_notifiers);
    if (m_decoder)
        snd_midi_event_free(m_decoder);
    snd_seq_close(m_seq);
}

bool AlsaBackend::start(const QString &clientName, QString *error)
{
    snd_seq_set_client_name(m_seq, clientName.toUtf8().constData());
    m_client = snd_seq_client_id(m_seq);
    if (const int rc = snd_midi_event_new(kDecodeBuffer, &m_decoder); rc < 0) {
        if (error)
            *error = failure("snd_midi_event_new", rc);
        return false;
    }
    snd_midi_event_no_status(m_decoder, 1);
    m_announcePort = createPort(QStringLiteral("Announcements"), AlsaOwnPort::kPrivateInput, -1);
    if (m_announcePort < 0) {
        if (error)
            *error = QStringLiteral("snd_seq_create_port: the announcement port was refused");
        return false;
    }
    snd_seq_connect_from(m_seq, m_announcePort, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);

    const int count = snd_seq_poll_descriptors_count(m_seq, POLLIN);
    QList<pollfd> descriptors(count);
    snd_seq_poll_descriptors(m_seq, descriptors.data(), unsigned(count), POLLIN);
    for (const pollfd &descriptor : descriptors) {
        auto *notifier = new QSocketNotifier(descriptor.fd, QSocketNotifier::Read);
        connect(notifier, &QSocketNotifier::activated, this, &AlsaBackend::readEvents);
        m_notifiers.append(notifier);
    }
    refresh();
    return true;
}

QString AlsaBackend::name() const
{
    return QStringLiteral("alsa");
}

std::unique_ptr<midi::OutputPort> AlsaBackend::createVirtualSource(const QString &name, qint32 uniqueID)
{
    auto port = std::make_unique<AlsaOwnPort>(*this, name, AlsaOwnPort::kVirtualSource,
                                              AlsaUniqueId::portOf(uniqueID).value_or(-1));
    if (!port->isValid())
        return nullptr;
    return std::make_unique<AlsaOutputPort>(std::move(port), name);
}

std::unique_ptr<midi::InputPort> AlsaBackend::createVirtualDestination(const QString &name, qint32 uniqueID)
{
    auto port = std::make_unique<AlsaOwnPort>(*this, name, AlsaOwnPort::kVirtualDestination,
                                              AlsaUniqueId::portOf(uniqueID).value_or(-1));
    if (!port->isValid())
        return nullptr;
    return std::make_unique<AlsaInputPort>(std::move(port), name);
}

std::unique_ptr<midi::OutputPort> AlsaBackend::createPortOutput()
{
    auto port =
        std::make_unique<AlsaOwnPort>(*this, QStringLiteral("Private Out"), AlsaOwnPort::kPrivateOutput, -1);
    if (!port->isValid())
        return nullptr;
    return std::make_unique<AlsaOutputPort>(std::move(port), QString());
}

std::unique_ptr<midi::InputPort> AlsaBackend::createPortInput()
{
    auto port =
        std::make_unique<AlsaOwnPort>(*this, QStringLiteral("Private In"), AlsaOwnPort::kPrivateInput, -1);
    if (!port->isValid())
        return nullptr;
    return std::make_unique<AlsaInputPort>(std::move(port), QString());
}

// Older kernels create a second port under a number that is taken instead of refusing, so
// a taken number is checked first.
int AlsaBackend::createPort(const QString &name, unsigned capabilities, int requested)
{
    snd_seq_port_info_t *info = nullptr;
    snd_seq_port_info_alloca(&info);
    if (requested >= 0 && snd_seq_get_port_info(m_seq, requested, info) == 0)
        return -1;
    snd_seq_port_info_set_name(info, name.toUtf8().constData());
    snd_seq_port_info_set_capability(info, capabilities);
    snd_seq_port_info_set_type(info, SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (requested >= 0) {
        snd_seq_port_info_set_port(info, requested);
        snd_seq_port_info_set_port_specified(info, 1);
    }
    if (snd_seq_create_port(m_seq, info) < 0)
        return -1;
    return snd_seq_port_info_get_port(info);
}

void AlsaBackend::registerInput(AlsaInputPort *port)
{
    m_inputs.append(port);
}

void AlsaBackend::unregisterInput(AlsaInputPort *port)
{
    m_inputs.removeAll(port);
}

// Events are handed on in runs: consecutive events for one port go to its handler as one
// list, so the order of arrival holds across ports as well.
void AlsaBackend::readEvents()
{
    bool setupChanged = false;
    AlsaInputPort *runPort = nullptr;
    midi::MessageList run;
    auto flush = [&] {
        if (runPort && !run.isEmpty() && m_inputs.contains(runPort))
            runPort->deliver(run);
        run.clear();
    };
    for (;;) {
        snd_seq_event_t *event = nullptr;
        const int rc = snd_seq_event_input(m_seq, &event);
        if (rc == -ENOSPC) {
            // The kernel's queue overflowed and events were lost: no partial message may be
            // joined to what follows.
            for (AlsaInputPort *port : std::as_const(m_inputs))
                port->resetStreams();
            continue;
        }
        if (rc < 0 || !event)
            break;
        if (isAnnouncement(*event)) {
            setupChanged |= !isOwnSubscription(*event);
            continue;
        }
        AlsaInputPort *port = inputAt(event->dest.port);
        const QByteArray bytes = port ? bytesOf(*event) : QByteArray();
        if (bytes.isEmpty())
            continue;
        if (port != runPort) {
            flush();
            runPort = port;
        }
        run.append(port->receive(event->source, bytes));
    }
    flush();
    if (setupChanged) {
        refresh();
        Q_EMIT this->setupChanged();
    }
}

bool AlsaBackend::isAnnouncement(const snd_seq_event_t &event) const
{
    if (event.dest.port != m_announcePort)
        return false;
    switch (event.type) {
    case SND_SEQ_EVENT_CLIENT_START:
    case SND_SEQ_EVENT_CLIENT_EXIT:
    case SND_SEQ_EVENT_CLIENT_CHANGE:
    case SND_SEQ_EVENT_PORT_START:
    case SND_SEQ_EVENT_PORT_EXIT:
    case SND_SEQ_EVENT_PORT_CHANGE:
    case SND_SEQ_EVENT_PORT_SUBSCRIBED:
    case SND_SEQ_EVENT_PORT_UNSUBSCRIBED:
        return true;
    default:
        // Anything else sent to the announcement port is nobody's input.
        return false;
    }
}

// System exclusive comes in chunks of the sender's choosing and is passed on raw, for the
// port's byte stream to join; everything else is decoded to its bytes.
QByteArray AlsaBackend::bytesOf(const snd_seq_event_t &event)
{
    if (event.type == SND_SEQ_EVENT_SYSEX)
        return QByteArray(static_cast<const char *>(event.data.ext.ptr), qsizetype(event.data.ext.len));
    unsigned char buffer[kDecodeBuffer];
    snd_midi_event_reset_decode(m_decoder);
    const long length = snd_midi_event_decode(m_decoder, buffer, kDecodeBuffer, &event);
    if (length <= 0)
        return {};
    return QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(length));
}

// A new subscription to or from one of the program's ports changes no menu, and most often
// the program made it itself while following the user's choice: answering it with a rebuild
// would rebuild the menus twice for every device that comes back. A subscription that ends
// still counts, so that a connection someone else removed is made again.
bool AlsaBackend::isOwnSubscription(const snd_seq_event_t &event) const
{
    return event.type == SND_SEQ_EVENT_PORT_SUBSCRIBED &&
           (event.data.connect.sender.client == m_client || event.data.connect.dest.client == m_client);
}

AlsaInputPort *AlsaBackend::inputAt(int port) const
{
    for (AlsaInputPort *input : m_inputs) {
        if (input->portNumber() == port)
            return input;
    }
    return nullptr;
}

void AlsaBackend::refresh()
{
    m_devices.clear();
    m_sources.clear();
    m_destinations.clear();
    snd_seq_client_info_t *client = nullptr;
    snd_seq_port_info_t *port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(m_seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == m_client)
            continue;
        auto device = std::make_shared<midi::Device>(QString::fromUtf8(snd_seq_client_info_get_name(client)),
                                                     AlsaUniqueId::device(id));
        bool exported = false;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(m_seq, port) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(port);
            if (caps & SND_SEQ_PORT_CAP_NO_EXPORT)
                continue;
            const snd_seq_addr_t address = *snd_seq_port_info_get_addr(port);
            const QString name = QString::fromUtf8(snd_seq_port_info_get_name(port));
            const qint32 uniqueID = AlsaUniqueId::otherPort(address.client, address.port);
            if ((caps & AlsaOwnPort::kVirtualSource) == AlsaOwnPort::kVirtualSource) {
                m_sources.append(
                    std::make_shared<AlsaEndpoint<midi::SourceEndpoint>>(name, device, address, uniqueID));
                exported = true;
            }
            if ((caps & AlsaOwnPort::kVirtualDestination) == AlsaOwnPort::kVirtualDestination) {
                m_destinations.append(std::make_shared<AlsaEndpoint<midi::DestinationEndpoint>>(
                    name, device, address, uniqueID));
                exported = true;
            }
        }
        if (exported)
            m_devices.append(device);
    }
}

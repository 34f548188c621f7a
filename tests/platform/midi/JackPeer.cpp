#include "JackPeer.h"

#include <QProcess>

#include <jack/midiport.h>

QString JackPeer::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::unique_ptr<JackPeer> JackPeer::open(const QString &name)
{
    std::unique_ptr<JackPeer> peer(new JackPeer);
    peer->m_client = jack_client_open(name.toUtf8().constData(), JackNoStartServer, nullptr);
    if (!peer->m_client)
        return nullptr;
    peer->m_name = QString::fromUtf8(jack_get_client_name(peer->m_client));
    peer->m_in = jack_port_register(peer->m_client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    peer->m_out = jack_port_register(peer->m_client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(peer->m_client, &JackPeer::process, peer.get());
    if (!peer->m_in || !peer->m_out || jack_activate(peer->m_client) != 0)
        return nullptr;
    return peer;
}

JackPeer::~JackPeer()
{
    if (m_client)
        jack_client_close(m_client);
}

bool JackPeer::connect(const QString &from, const QString &to)
{
    return jack_connect(m_client, from.toUtf8().constData(), to.toUtf8().constData()) == 0;
}

void JackPeer::send(const QList<QByteArray> &events)
{
    std::lock_guard lock(m_mutex);
    m_outgoing.append(events);
}

bool JackPeer::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_outgoing.isEmpty();
}

QList<QByteArray> JackPeer::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

void JackPeer::clear()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

int JackPeer::process(jack_nframes_t frames, void *self)
{
    auto *peer = static_cast<JackPeer *>(self);
    void *out = jack_port_get_buffer(peer->m_out, frames);
    jack_midi_clear_buffer(out);
    std::lock_guard lock(peer->m_mutex);
    void *in = jack_port_get_buffer(peer->m_in, frames);
    for (jack_nframes_t i = 0, n = jack_midi_get_event_count(in); i < n; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, in, i) == 0) {
            peer->m_received.append(
                QByteArray(reinterpret_cast<const char *>(event.buffer), qsizetype(event.size)));
        }
    }
    if (!peer->m_outgoing.isEmpty()) {
        const QByteArray event = peer->m_outgoing.takeFirst();
        jack_midi_event_write(out, 0, reinterpret_cast<const jack_midi_data_t *>(event.constData()),
                              size_t(event.size()));
    }
    return 0;
}

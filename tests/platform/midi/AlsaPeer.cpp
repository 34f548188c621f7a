#include "AlsaPeer.h"

std::unique_ptr<AlsaPeer> AlsaPeer::open(const QString &name)
{
    std::unique_ptr<AlsaPeer> peer(new AlsaPeer);
    if (snd_seq_open(&peer->m_seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
        return nullptr;
    snd_seq_set_client_name(peer->m_seq, name.toUtf8().constData());
    peer->m_client = snd_seq_client_id(peer->m_seq);
    peer->m_in =
        snd_seq_create_simple_port(peer->m_seq, "in", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    peer->m_out =
        snd_seq_create_simple_port(peer->m_seq, "out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    if (peer->m_in < 0 || peer->m_out < 0 || snd_midi_event_new(4096, &peer->m_codec) < 0)
        return nullptr;
    snd_midi_event_no_status(peer->m_codec, 1);
    return peer;
}

AlsaPeer::~AlsaPeer()
{
    if (m_codec)
        snd_midi_event_free(m_codec);
    if (m_seq)
        snd_seq_close(m_seq);
}

bool AlsaPeer::subscribeFrom(snd_seq_addr_t source)
{
    return snd_seq_connect_from(m_seq, m_in, source.client, source.port) == 0;
}

bool AlsaPeer::subscribeTo(snd_seq_addr_t destination)
{
    return snd_seq_connect_to(m_seq, m_out, destination.client, destination.port) == 0;
}

void AlsaPeer::send(const QList<QByteArray> &chunks)
{
    for (const QByteArray &chunk : chunks) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        const auto first = quint8(chunk.at(0));
        if (first == 0xF0 || first < 0x80) {
            snd_seq_ev_set_sysex(&event, unsigned(chunk.size()), const_cast<char *>(chunk.constData()));
        } else {
            snd_midi_event_reset_encode(m_codec);
            snd_midi_event_encode(m_codec, reinterpret_cast<const unsigned char *>(chunk.constData()),
                                  chunk.size(), &event);
        }
        snd_seq_ev_set_source(&event, m_out);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(m_seq, &event);
    }
}

QByteArray AlsaPeer::pump()
{
    snd_seq_event_t *event = nullptr;
    while (snd_seq_event_input(m_seq, &event) >= 0 && event) {
        if (event->type == SND_SEQ_EVENT_SYSEX) {
            m_received.append(static_cast<const char *>(event->data.ext.ptr), qsizetype(event->data.ext.len));
            continue;
        }
        unsigned char buffer[16];
        snd_midi_event_reset_decode(m_codec);
        const long length = snd_midi_event_decode(m_codec, buffer, sizeof buffer, event);
        if (length > 0)
            m_received.append(reinterpret_cast<const char *>(buffer), qsizetype(length));
    }
    return m_received;
}

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <alsa/asoundlib.h>

#include <memory>

// Whether a test that cannot open the sequencer fails rather than skips: scripts/alsa-tests
// asks for that where it knows a sequencer is there (this machine's or a guest's).
inline bool alsaRequired()
{
    return qEnvironmentVariableIsSet("STRIPDECK_ALSA_REQUIRED");
}

// Another program on the ALSA sequencer, for the tests: a client with a writable port "in"
// and a readable port "out". Events are read when the test pumps; sends go out at once.
class AlsaPeer {
public:
    static std::unique_ptr<AlsaPeer> open(const QString &name);
    ~AlsaPeer();

    int client() const { return m_client; }
    bool subscribeFrom(snd_seq_addr_t source);
    bool subscribeTo(snd_seq_addr_t destination);
    // Each chunk as one event from "out" to its subscribers; raw chunks that do not start a
    // message (system exclusive continued) go out as system-exclusive events.
    void send(const QList<QByteArray> &chunks);
    // Reads what has arrived; answers all bytes received so far.
    QByteArray pump();

private:
    AlsaPeer() = default;

    snd_seq_t *m_seq = nullptr;
    snd_midi_event_t *m_codec = nullptr;
    int m_client = -1;
    int m_in = -1;
    int m_out = -1;
    QByteArray m_received;
};

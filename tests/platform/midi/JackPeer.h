#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <jack/jack.h>

#include <memory>
#include <mutex>

// Another program on the JACK server, for the tests: a client with one MIDI input "in" and
// one MIDI output "out". What arrives is recorded event by event; what it is asked to send
// goes out one event per process cycle, so a message given in several chunks spans periods.
// Test code, so the process callback takes a lock; the test holds it only to copy a list.
// (Skipping a locked cycle instead would drop that cycle's input.)
class JackPeer {
public:
    static std::unique_ptr<JackPeer> open(const QString &name);
    ~JackPeer();

    // Runs a command-line tool (jack_lsp, jack_connect, ...) and answers its standard output.
    static QString run(const QString &program, const QStringList &arguments = {});

    QString name() const { return m_name; }
    QString inName() const { return m_name + QStringLiteral(":in"); }
    QString outName() const { return m_name + QStringLiteral(":out"); }

    bool connect(const QString &from, const QString &to);
    void send(const QList<QByteArray> &events);
    bool sent() const;
    QList<QByteArray> received() const;
    void clear();

private:
    JackPeer() = default;
    static int process(jack_nframes_t frames, void *self);

    jack_client_t *m_client = nullptr;
    jack_port_t *m_in = nullptr;
    jack_port_t *m_out = nullptr;
    QString m_name;
    mutable std::mutex m_mutex;
    QList<QByteArray> m_outgoing;
    QList<QByteArray> m_received;
};

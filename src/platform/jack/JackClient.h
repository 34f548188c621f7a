#pragma once

#include "JackMidiPort.h"

#include <QString>
#include <QStringList>

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <memory>

class JackWaker;

// One open, active JACK client and the MIDI ports registered on it.
//
// The process callback sees the ports through a fixed table of atomic pointers, so ports
// come and go on the main thread while the callback runs, without a lock: a port leaves the
// table first, and its memory is released only after the callback has finished a cycle
// without it.
class JackClient {
public:
    static constexpr std::size_t kMaxPorts = 4;

    // Never starts a server. watchSetup makes this client report port, rename and connection
    // changes of the whole server through the waker. Null on failure, with the reason in error.
    static std::shared_ptr<JackClient> open(const QString &name, JackWaker &waker, bool watchSetup,
                                            QString *error);
    ~JackClient();
    JackClient(const JackClient &) = delete;
    JackClient &operator=(const JackClient &) = delete;

    jack_client_t *handle() const { return m_client; }
    // The name the server gave, which differs from the one asked for when that was taken.
    QString name() const { return m_name; }
    // False once the server has gone away.
    bool isAlive() const { return m_alive.load(std::memory_order_acquire); }

    // Null when JACK refuses the port (a taken name, no server) or the table is full.
    std::unique_ptr<JackMidiPort> registerPort(const QString &shortName, JackMidiPort::Direction direction);
    void unregisterPort(std::unique_ptr<JackMidiPort> port);
    // Connects the port to exactly these ports of others (full names), leaving existing
    // connections that stay wanted alone.
    void setConnections(const JackMidiPort &port, const QStringList &peers);

private:
    JackClient(jack_client_t *client, JackWaker &waker);
    bool start(bool watchSetup, QString *error);
    void waitForCycle();

    static int process(jack_nframes_t frames, void *self) noexcept;
    static void shutdown(void *self) noexcept;
    static void portRegistered(jack_port_id_t, int, void *self) noexcept;
    static void portRenamed(jack_port_id_t, const char *, const char *, void *self) noexcept;
    static void portConnected(jack_port_id_t, jack_port_id_t, int, void *self) noexcept;
    static void clientRegistered(const char *, int, void *self) noexcept;

    jack_client_t *m_client;
    JackWaker &m_waker;
    QString m_name;
    std::array<std::atomic<JackMidiPort *>, kMaxPorts> m_ports{};
    std::atomic<std::uint64_t> m_cycles{0};
    std::atomic<bool> m_alive{true};
};

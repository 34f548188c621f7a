#pragma once

#include "midi/Backend.h"

#include <alsa/asoundlib.h>

#include <QList>

class AlsaInputPort;
class QSocketNotifier;

// The program on the ALSA sequencer: one client (clientName) whose ports are the program's
// endpoints. "Stripdeck Surface" and "Stripdeck User" are each a readable and a writable port
// of that name; the private ports that follow the user's choice may not be subscribed by
// others. Devices are the other clients, endpoints their exported ports by capability.
// Input is read on the main thread when the sequencer's descriptors turn readable; setup
// changes come from the system announce port.
class AlsaBackend : public midi::Backend {
    Q_OBJECT
public:
    // Null when the sequencer cannot be opened (no /dev/snd/seq), with the reason in error.
    static std::unique_ptr<AlsaBackend> open(const QString &clientName = QStringLiteral("Stripdeck"),
                                             QString *error = nullptr);
    ~AlsaBackend() override;

    QString name() const override;
    QList<std::shared_ptr<midi::Device>> devices() const override { return m_devices; }
    QList<std::shared_ptr<midi::SourceEndpoint>> sourceEndpoints() const override { return m_sources; }
    QList<std::shared_ptr<midi::DestinationEndpoint>> destinationEndpoints() const override
    {
        return m_destinations;
    }
    // The identifier asks for a port number (AlsaUniqueId); a taken one is refused silently.
    std::unique_ptr<midi::OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::OutputPort> createPortOutput() override;
    std::unique_ptr<midi::InputPort> createPortInput() override;

    snd_seq_t *sequencer() const { return m_seq; }
    int clientId() const { return m_client; }
    // A port of the program's client; at requested when that is free (>= 0). -1 on failure.
    int createPort(const QString &name, unsigned capabilities, int requested);

    // For the input ports' own bookkeeping.
    void registerInput(AlsaInputPort *port);
    void unregisterInput(AlsaInputPort *port);

private:
    explicit AlsaBackend(snd_seq_t *seq);
    bool start(const QString &clientName, QString *error);
    void readEvents();
    bool isAnnouncement(const snd_seq_event_t &event) const;
    bool isOwnSubscription(const snd_seq_event_t &event) const;
    QByteArray bytesOf(const snd_seq_event_t &event);
    AlsaInputPort *inputAt(int port) const;
    void refresh();

    snd_seq_t *m_seq;
    int m_client = -1;
    int m_announcePort = -1;
    snd_midi_event_t *m_decoder = nullptr;
    QList<QSocketNotifier *> m_notifiers;
    QList<AlsaInputPort *> m_inputs;
    QList<std::shared_ptr<midi::Device>> m_devices;
    QList<std::shared_ptr<midi::SourceEndpoint>> m_sources;
    QList<std::shared_ptr<midi::DestinationEndpoint>> m_destinations;
};

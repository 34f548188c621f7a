#pragma once

#include "JackWaker.h"

#include "midi/Backend.h"

#include <QHash>

class JackClient;
class JackInputPort;

// The program on a JACK server.
//
// Each virtual pair is its own JACK client named after the pair, with the MIDI ports "in"
// (the virtual destination) and "out" (the virtual source): JACK names ports uniquely only
// within a client, and this way other programs list "Stripdeck Surface" and "Stripdeck User"
// plainly. The private ports that follow the user's choice are "in" and "out" of one more
// client (portClientName), which also watches the server for setup changes. Devices are the
// other clients, endpoints their MIDI ports.
class JackBackend : public midi::Backend {
    Q_OBJECT
public:
    // Null when no JACK server runs (none is started), with the reason in error.
    static std::unique_ptr<JackBackend> open(const QString &portClientName = QStringLiteral("Stripdeck Port"),
                                             QString *error = nullptr);
    ~JackBackend() override;

    QString name() const override;
    QList<std::shared_ptr<midi::Device>> devices() const override { return m_devices; }
    QList<std::shared_ptr<midi::SourceEndpoint>> sourceEndpoints() const override { return m_sources; }
    QList<std::shared_ptr<midi::DestinationEndpoint>> destinationEndpoints() const override
    {
        return m_destinations;
    }
    std::unique_ptr<midi::OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::OutputPort> createPortOutput() override;
    std::unique_ptr<midi::InputPort> createPortInput() override;

    // For the input ports' own bookkeeping.
    void registerInput(JackInputPort *port);
    void unregisterInput(JackInputPort *port);

private:
    JackBackend() = default;
    std::shared_ptr<JackClient> pairClient(const QString &name);
    QStringList ownClientNames() const;
    void onWoken(bool setupChanged);
    void refresh();

    // Declared first so that it outlives every client that may still wake it.
    JackWaker m_waker;
    std::shared_ptr<JackClient> m_portClient;
    QHash<QString, std::weak_ptr<JackClient>> m_pairClients;
    QList<JackInputPort *> m_inputs;
    QList<std::shared_ptr<midi::Device>> m_devices;
    QList<std::shared_ptr<midi::SourceEndpoint>> m_sources;
    QList<std::shared_ptr<midi::DestinationEndpoint>> m_destinations;
};

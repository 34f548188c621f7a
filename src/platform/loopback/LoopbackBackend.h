#pragma once

#include "midi/Backend.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class LoopbackInputPort;

// An in-process MIDI system for tests: devices are declared by the test, everything the
// program's ports send is recorded in one ordered log, and the test injects incoming bytes
// as if they arrived on a named endpoint. Delivery is synchronous.
class LoopbackBackend : public midi::Backend {
    Q_OBJECT
public:
    struct Sent {
        // The virtual source's name, or the name of the destination a port sent to.
        QString target;
        QByteArray bytes;
    };

    LoopbackBackend();
    ~LoopbackBackend() override;

    QString name() const override;
    QList<std::shared_ptr<midi::Device>> devices() const override;
    QList<std::shared_ptr<midi::SourceEndpoint>> sourceEndpoints() const override;
    QList<std::shared_ptr<midi::DestinationEndpoint>> destinationEndpoints() const override;
    std::unique_ptr<midi::OutputPort> createVirtualSource(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::InputPort> createVirtualDestination(const QString &name, qint32 uniqueID) override;
    std::unique_ptr<midi::OutputPort> createPortOutput() override;
    std::unique_ptr<midi::InputPort> createPortInput() override;

    // Adds a device with ports of these names and announces the change.
    std::shared_ptr<midi::Device> addDevice(const QString &name, const QStringList &sources,
                                            const QStringList &destinations);
    void removeDevice(const std::shared_ptr<midi::Device> &device);

    // Delivers bytes as arriving on the virtual destination of that name, or from the
    // source of that name to every port input connected to it. Returns false when no
    // port of the program listens there.
    bool inject(const QString &endpointName, const QByteArray &bytes);

    const QList<Sent> &sent() const { return m_sent; }
    void clearSent() { m_sent.clear(); }

    // For the ports' own bookkeeping.
    void record(const QString &target, const QByteArray &bytes);
    void registerInput(LoopbackInputPort *port);
    void unregisterInput(LoopbackInputPort *port);

private:
    qint32 nextUniqueID() { return ++m_lastUniqueID; }

    QList<std::shared_ptr<midi::Device>> m_devices;
    QList<std::shared_ptr<midi::SourceEndpoint>> m_sources;
    QList<std::shared_ptr<midi::DestinationEndpoint>> m_destinations;
    QList<LoopbackInputPort *> m_inputs;
    QList<Sent> m_sent;
    qint32 m_lastUniqueID = 1000;
};

#pragma once

#include "midi/InputPort.h"
#include "midi/OutputPort.h"

class LoopbackBackend;

// The virtual endpoint of a loopback port: it takes whatever identifier it is asked for.
template <typename Base> class LoopbackVirtualEndpoint : public Base {
public:
    LoopbackVirtualEndpoint(const QString &name, qint32 uniqueID)
        : Base(name, nullptr, uniqueID)
    {
    }
    void setUniqueID(qint32 uniqueID) override { this->assignUniqueID(uniqueID); }
};

class LoopbackOutputPort : public midi::OutputPort {
public:
    LoopbackOutputPort(LoopbackBackend &backend, std::shared_ptr<midi::SourceEndpoint> endpoint);

    void send(const midi::Message &message) override;
    void connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations) override;
    std::shared_ptr<midi::SourceEndpoint> endpoint() const override { return m_endpoint; }

private:
    LoopbackBackend &m_backend;
    std::shared_ptr<midi::SourceEndpoint> m_endpoint;
    QList<std::shared_ptr<midi::DestinationEndpoint>> m_destinations;
};

class LoopbackInputPort : public midi::InputPort {
public:
    LoopbackInputPort(LoopbackBackend &backend, std::shared_ptr<midi::DestinationEndpoint> endpoint);
    ~LoopbackInputPort() override;

    void setHandler(Handler handler) override { m_handler = std::move(handler); }
    void connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources) override;
    std::shared_ptr<midi::DestinationEndpoint> endpoint() const override { return m_endpoint; }

    // Delivers when the bytes arrive on this port's endpoint or on a connected source.
    bool receive(const QString &endpointName, const QByteArray &bytes);

private:
    LoopbackBackend &m_backend;
    std::shared_ptr<midi::DestinationEndpoint> m_endpoint;
    QList<std::shared_ptr<midi::SourceEndpoint>> m_sources;
    Handler m_handler;
};

#pragma once

#include "MidiByteStream.h"

#include "midi/InputPort.h"

class JackBackend;
class JackClient;
class JackMidiPort;

// A receiving port of the program on JACK: a virtual destination (others connect to it) or
// the private port that the program connects to the chosen sources itself. Its chunks are
// joined into messages on the main thread when the backend is woken.
class JackInputPort : public midi::InputPort {
public:
    JackInputPort(JackBackend &backend, std::shared_ptr<JackClient> client,
                  std::unique_ptr<JackMidiPort> port, std::shared_ptr<midi::DestinationEndpoint> endpoint);
    ~JackInputPort() override;

    void setHandler(Handler handler) override { m_handler = std::move(handler); }
    void connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources) override;
    std::shared_ptr<midi::DestinationEndpoint> endpoint() const override { return m_endpoint; }

    // Main thread: delivers what has arrived since the last call.
    void drain();

private:
    std::shared_ptr<const midi::Endpoint> origin() const;

    JackBackend &m_backend;
    std::shared_ptr<JackClient> m_client;
    std::unique_ptr<JackMidiPort> m_port;
    std::shared_ptr<midi::DestinationEndpoint> m_endpoint;
    QList<std::shared_ptr<midi::SourceEndpoint>> m_sources;
    MidiByteStream m_stream;
    Handler m_handler;
};

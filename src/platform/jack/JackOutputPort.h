#pragma once

#include "midi/OutputPort.h"

class JackClient;
class JackMidiPort;

// A sending port of the program on JACK: a virtual source (published, others connect to it)
// or the private port that the program connects to the chosen destinations itself.
class JackOutputPort : public midi::OutputPort {
public:
    JackOutputPort(std::shared_ptr<JackClient> client, std::unique_ptr<JackMidiPort> port,
                   std::shared_ptr<midi::SourceEndpoint> endpoint);
    ~JackOutputPort() override;

    void send(const midi::Message &message) override;
    void connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations) override;
    std::shared_ptr<midi::SourceEndpoint> endpoint() const override { return m_endpoint; }

private:
    std::shared_ptr<JackClient> m_client;
    std::unique_ptr<JackMidiPort> m_port;
    std::shared_ptr<midi::SourceEndpoint> m_endpoint;
};

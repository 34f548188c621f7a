#pragma once

#include "AlsaEndpoint.h"
#include "AlsaEventEncoder.h"

#include "midi/OutputPort.h"

class AlsaOwnPort;

// A sending port of the program on the sequencer: a virtual source (others subscribe to it)
// or the private port that the program subscribes to the chosen destinations itself. Either
// way events go to the port's subscribers, at once.
class AlsaOutputPort : public midi::OutputPort {
public:
    // A name publishes the port as a virtual source; an empty one makes it private.
    AlsaOutputPort(std::unique_ptr<AlsaOwnPort> port, const QString &name);
    ~AlsaOutputPort() override;

    void send(const midi::Message &message) override;
    void connectTo(const QList<std::shared_ptr<midi::DestinationEndpoint>> &destinations) override;
    std::shared_ptr<midi::SourceEndpoint> endpoint() const override { return m_endpoint; }

private:
    bool renumber(int number);

    std::unique_ptr<AlsaOwnPort> m_port;
    std::shared_ptr<AlsaEndpoint<midi::SourceEndpoint>> m_endpoint;
    AlsaEventEncoder m_encoder;
    QList<snd_seq_addr_t> m_connected;
};

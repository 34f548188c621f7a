#pragma once

#include "AlsaEndpoint.h"
#include "MidiByteStream.h"

#include "midi/InputPort.h"

#include <QHash>

class AlsaOwnPort;

// A receiving port of the program on the sequencer: a virtual destination (others subscribe
// to it or send to it directly) or the private port that the program subscribes to the chosen
// sources itself. The backend reads the events and hands them in; bytes are joined into
// messages per sender, so system exclusive from two senders never mixes.
class AlsaInputPort : public midi::InputPort {
public:
    // A name publishes the port as a virtual destination; an empty one makes it private.
    AlsaInputPort(std::unique_ptr<AlsaOwnPort> port, const QString &name);
    ~AlsaInputPort() override;

    void setHandler(Handler handler) override { m_handler = std::move(handler); }
    void connectFrom(const QList<std::shared_ptr<midi::SourceEndpoint>> &sources) override;
    std::shared_ptr<midi::DestinationEndpoint> endpoint() const override { return m_endpoint; }

    int portNumber() const;
    // The complete messages the bytes from sender finish; none from a sender the private port
    // does not listen to.
    midi::MessageList receive(snd_seq_addr_t sender, const QByteArray &bytes);
    void deliver(const midi::MessageList &messages);
    // Input was lost: partial messages are forgotten.
    void resetStreams();

private:
    std::shared_ptr<const midi::Endpoint> originOf(snd_seq_addr_t sender) const;
    bool renumber(int number);

    std::unique_ptr<AlsaOwnPort> m_port;
    std::shared_ptr<AlsaEndpoint<midi::DestinationEndpoint>> m_endpoint;
    QList<std::shared_ptr<AlsaEndpoint<midi::SourceEndpoint>>> m_sources;
    QHash<int, MidiByteStream> m_streams;
    Handler m_handler;
};

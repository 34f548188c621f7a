// A TCP peer chooses both the bytes and, through the network, where they are cut into
// chunks: the decoded messages must not depend on the cutting, and the frame buffer must
// stay within its cap.
#include "net/AsyncUdpSocket.h"
#include "osc/Message.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"
#include "osc/Socket.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Collector : osc::PacketDestination {
    void takeMessage(const osc::Message &message) override { packets.append(message.packetData()); }
    QByteArrayList packets;
};

struct Decoder {
    explicit Decoder(const std::shared_ptr<osc::Socket> &socket) { state.socket = socket; }
    void feed(QByteArrayView chunk)
    {
        osc::Parser::translateSlipData(chunk, buffer, state, &collector);
        if (buffer.size() > osc::Parser::maxFrameSize)
            std::abort();
    }
    QByteArray buffer;
    osc::SlipState state;
    Collector collector;
};

std::shared_ptr<osc::Socket> replySocket()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static auto socket = osc::Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket));
    return socket;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte seeds the chunk lengths; the rest is the stream.
    unsigned seed = data[0];
    const QByteArrayView stream(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    Decoder whole(replySocket());
    whole.feed(stream);

    Decoder chunked(replySocket());
    qsizetype position = 0;
    while (position < stream.size()) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype length = std::min<qsizetype>(stream.size() - position, 1 + (seed >> 16) % 16);
        chunked.feed(stream.sliced(position, length));
        position += length;
    }
    if (whole.collector.packets != chunked.collector.packets || whole.buffer != chunked.buffer ||
        whole.state.danglingEsc != chunked.state.danglingEsc)
        std::abort();
    return 0;
}

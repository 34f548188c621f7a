#include "osc/Message.h"
#include "osc/PacketDestination.h"
#include "osc/Parser.h"
#include "osc/Socket.h"

#include "net/AsyncUdpSocket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : osc::PacketDestination {
    void takeMessage(const osc::Message &message) override { messages.push_back(message); }
    std::vector<osc::Message> messages;
};

// A connection's decoder: the buffer and state the server keeps per TCP peer.
struct Stream {
    Stream() { state.socket = osc::Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket)); }
    void feed(QByteArrayView chunk) { osc::Parser::translateSlipData(chunk, buffer, state, &recorder); }
    QByteArray buffer;
    osc::SlipState state;
    Recorder recorder;
};

// Both messages hold END and ESC bytes, so their frames carry every escape.
const osc::Message first(QStringLiteral("/one"), {QByteArray("\xc0\xdb\xdc\xdd", 4), 1});
const osc::Message second(QStringLiteral("/two"), {QStringLiteral("x"), 2.5});

QByteArray twoFrames()
{
    return osc::Parser::slipEncoded(first.packetData()) + osc::Parser::slipEncoded(second.packetData());
}

// Every cut, including those right after an ESC (a dangling ESC at a chunk's end), and empty
// frames before the first.
TEST(OscSlip, EncodesEscapesAndDecodesTheSameWhereverTheStreamIsSplit)
{
    EXPECT_EQ(osc::Parser::slipEncoded(QByteArray::fromHex("61c062db63")).toHex(' '),
              QByteArray("c0 61 db dc 62 db dd 63 c0"));
    const QByteArray stream = QByteArray(3, char(0xc0)) + twoFrames();
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        Stream decoder;
        decoder.feed(QByteArrayView(stream).first(cut));
        decoder.feed(QByteArrayView(stream).sliced(cut));
        ASSERT_EQ(decoder.recorder.messages.size(), 2u);
        EXPECT_EQ(decoder.recorder.messages[0], first);
        EXPECT_EQ(decoder.recorder.messages[1], second);
        EXPECT_EQ(decoder.recorder.messages[0].replySocket(), decoder.state.socket);
    }
}

TEST(OscSlip, FrameOfTheCapIsKeptALongerOneDroppedAndTheNextOneDecoded)
{
    QByteArray packet = osc::Message(QStringLiteral("/big"), {QByteArray(16, 'z')}).packetData();
    const qsizetype blobSize = osc::Parser::maxFrameSize - packet.size() + 16;
    packet = osc::Message(QStringLiteral("/big"), {QByteArray(blobSize, 'z')}).packetData();
    ASSERT_EQ(packet.size(), osc::Parser::maxFrameSize);
    Stream decoder;
    decoder.feed(osc::Parser::slipEncoded(packet));
    EXPECT_EQ(decoder.recorder.messages.size(), 1u);

    // A peer that keeps sending without END: the buffer must stop growing at the cap.
    for (int i = 0; i < 40; ++i) {
        decoder.feed(QByteArray(64 * 1024, 'a'));
        ASSERT_LE(decoder.buffer.size(), osc::Parser::maxFrameSize);
    }
    decoder.feed(QByteArray(1, char(0xc0)) + twoFrames());
    ASSERT_EQ(decoder.recorder.messages.size(), 3u);
    EXPECT_EQ(decoder.recorder.messages[1], first);
}

} // namespace

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

TEST(OscSlip, EncodingEscapesEndAndEsc)
{
    EXPECT_EQ(osc::Parser::slipEncoded(QByteArray("a\xc0"
                                                  "b\xdb"
                                                  "c",
                                                  5))
                  .toHex(' '),
              QByteArray("c0 61 db dc 62 db dd 63 c0"));
    EXPECT_EQ(osc::Parser::slipEncoded({}).toHex(' '), QByteArray("c0 c0"));
}

TEST(OscSlip, DecodesTheSameWhereverTheStreamIsSplit)
{
    const QByteArray stream = twoFrames();
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        Stream decoder;
        decoder.feed(QByteArrayView(stream).first(cut));
        decoder.feed(QByteArrayView(stream).sliced(cut));
        ASSERT_EQ(decoder.recorder.messages.size(), 2u) << "cut at " << cut;
        EXPECT_EQ(decoder.recorder.messages[0], first) << "cut at " << cut;
        EXPECT_EQ(decoder.recorder.messages[1], second) << "cut at " << cut;
        EXPECT_FALSE(decoder.state.danglingEsc);
    }
}

TEST(OscSlip, SplitBetweenEscAndItsFollowerKeepsTheEscape)
{
    const QByteArray frame = osc::Parser::slipEncoded(first.packetData());
    const qsizetype esc = frame.indexOf(char(0xdb));
    ASSERT_GT(esc, 0);
    Stream decoder;
    decoder.feed(QByteArrayView(frame).first(esc + 1));
    EXPECT_TRUE(decoder.state.danglingEsc);
    decoder.feed(QByteArrayView(frame).sliced(esc + 1));
    ASSERT_EQ(decoder.recorder.messages.size(), 1u);
    EXPECT_EQ(decoder.recorder.messages[0], first);
}

TEST(OscSlip, OneByteChunksAndEmptyFrames)
{
    const QByteArray stream = QByteArray(3, char(0xc0)) + twoFrames();
    Stream decoder;
    for (const char byte : stream)
        decoder.feed(QByteArrayView(&byte, 1));
    EXPECT_EQ(decoder.recorder.messages.size(), 2u);
}

TEST(OscSlip, RepliesCarryTheConnectionSocket)
{
    Stream decoder;
    decoder.feed(twoFrames());
    ASSERT_FALSE(decoder.recorder.messages.empty());
    EXPECT_EQ(decoder.recorder.messages[0].replySocket(), decoder.state.socket);
}

TEST(OscSlip, WithoutASocketTheChunkIsIgnored)
{
    Stream decoder;
    decoder.state.socket.reset();
    decoder.feed(twoFrames());
    EXPECT_TRUE(decoder.recorder.messages.empty());
    EXPECT_TRUE(decoder.buffer.isEmpty());
}

TEST(OscSlip, OversizedFrameIsDroppedAndTheNextOneDecoded)
{
    Stream decoder;
    const QByteArray chunk(64 * 1024, 'a');
    // A peer that keeps sending without END: the buffer must stop growing at the cap.
    for (int i = 0; i < 40; ++i) {
        decoder.feed(chunk);
        ASSERT_LE(decoder.buffer.size(), osc::Parser::maxFrameSize);
    }
    EXPECT_TRUE(decoder.state.discarding);
    decoder.feed(QByteArray(1, char(0xc0)) + twoFrames());
    ASSERT_EQ(decoder.recorder.messages.size(), 2u);
    EXPECT_EQ(decoder.recorder.messages[0], first);
    EXPECT_FALSE(decoder.state.discarding);
}

TEST(OscSlip, FrameOfExactlyTheCapIsKept)
{
    QByteArray packet = osc::Message(QStringLiteral("/big"), {QByteArray(16, 'z')}).packetData();
    const qsizetype blobSize = osc::Parser::maxFrameSize - packet.size() + 16;
    packet = osc::Message(QStringLiteral("/big"), {QByteArray(blobSize, 'z')}).packetData();
    ASSERT_EQ(packet.size(), osc::Parser::maxFrameSize);
    Stream decoder;
    decoder.feed(osc::Parser::slipEncoded(packet));
    EXPECT_EQ(decoder.recorder.messages.size(), 1u);
}

} // namespace

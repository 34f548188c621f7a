#include "AlsaBackend.h"
#include "AlsaEndpoint.h"
#include "AlsaPeer.h"
#include "AlsaUniqueId.h"
#include "WaitFor.h"

#include "midi/Client.h"
#include "midi/PortInputStream.h"
#include "midi/PortOutputStream.h"
#include "midi/VirtualInputStream.h"
#include "midi/VirtualOutputStream.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QString kSurface = "Stripdeck Surface";
const QString kUser = "Stripdeck User";

struct Recorder : midi::MessageDestination {
    void takeMIDIMessages(const midi::MessageList &list) override { messages.append(list); }
    midi::MessageList messages;
};

template <typename Endpoint> snd_seq_addr_t addressOf(const std::shared_ptr<Endpoint> &endpoint)
{
    return std::dynamic_pointer_cast<AlsaEndpoint<Endpoint>>(endpoint)->address();
}

// The program's streams on the machine's sequencer, with a peer client to talk to. Where the
// machine has no sequencer (/dev/snd/seq; containers, build servers) the tests skip.
class AlsaBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        auto backend = AlsaBackend::open("Stripdeck", &error);
        if (!backend && alsaRequired())
            FAIL() << "the ALSA sequencer does not open: " << error.toStdString();
        if (!backend)
            GTEST_SKIP() << "no ALSA sequencer on this machine (" << error.toStdString()
                         << "); load snd-seq (modprobe snd-seq-dummy) to run these tests";
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
        m_peer = AlsaPeer::open("Peer Synth");
        ASSERT_TRUE(m_peer);
    }

    void TearDown() override
    {
        m_streams.clear();
        m_peer.reset();
        midi::Client::installBackend(nullptr);
    }

    template <typename Stream> Stream &keep(std::shared_ptr<Stream> stream)
    {
        m_streams.append(stream);
        return *stream;
    }

    midi::VirtualInputStream &virtualInput(const QString &name)
    {
        auto &stream = keep(std::make_shared<midi::VirtualInputStream>());
        stream.setVirtualEndpointName(name);
        stream.setMessageDestination(&m_recorder);
        stream.setSelectedInputSources(stream.inputSources());
        return stream;
    }

    template <typename Endpoint>
    std::shared_ptr<Endpoint> peerEndpoint(const QList<std::shared_ptr<Endpoint>> &list)
    {
        for (const auto &endpoint : list) {
            if (endpoint->device() &&
                endpoint->device()->uniqueID() == AlsaUniqueId::device(m_peer->client()))
                return endpoint;
        }
        return nullptr;
    }

    AlsaBackend *m_backend = nullptr;
    std::unique_ptr<AlsaPeer> m_peer;
    Recorder m_recorder;
    QList<std::shared_ptr<void>> m_streams;
};

TEST_F(AlsaBackendTest, IdentifiersAskForPortNumbers)
{
    auto &output = keep(std::make_shared<midi::VirtualOutputStream>(kUser, AlsaUniqueId::ownPort(20)));
    EXPECT_EQ(output.endpoint()->uniqueID(), AlsaUniqueId::ownPort(20));
    auto &input = virtualInput(kUser);
    input.endpoint()->setUniqueID(AlsaUniqueId::ownPort(21));
    EXPECT_EQ(input.endpoint()->uniqueID(), AlsaUniqueId::ownPort(21));
    // A taken number, or an identifier of another kind, is refused and the port stays.
    input.endpoint()->setUniqueID(AlsaUniqueId::ownPort(20));
    input.endpoint()->setUniqueID(12345678);
    EXPECT_EQ(input.endpoint()->uniqueID(), AlsaUniqueId::ownPort(21));

    ASSERT_TRUE(m_peer->subscribeTo(addressOf(input.endpoint())));
    m_peer->send({QByteArray::fromHex("903c64")});
    EXPECT_TRUE(waitFor([&] { return m_recorder.messages.size() == 1; }));
}

TEST_F(AlsaBackendTest, OutputsDeliverExactBytes)
{
    auto &surface = keep(std::make_shared<midi::VirtualOutputStream>(kSurface, 0));
    auto &port = keep(std::make_shared<midi::PortOutputStream>());
    ASSERT_TRUE(waitFor([&] { return peerEndpoint(m_backend->destinationEndpoints()) != nullptr; }));
    port.setEndpoints(QList{peerEndpoint(m_backend->destinationEndpoints())});
    ASSERT_TRUE(m_peer->subscribeFrom(addressOf(surface.endpoint())));

    const QByteArray sysex =
        QByteArray::fromHex("f07d0003") + QByteArray(1500, '\x2a') + QByteArray::fromHex("f7");
    const midi::MessageList messages{midi::Message(QByteArray::fromHex("903c64")), midi::Message(sysex),
                                     midi::Message(QByteArray::fromHex("e0007f"))};
    QByteArray expected;
    for (const auto &message : messages)
        expected.append(message.bytes());
    surface.takeMIDIMessages(messages);
    port.takeMIDIMessages(messages);
    EXPECT_TRUE(waitFor([&] { return m_peer->pump().size() >= 2 * expected.size(); }));
    EXPECT_EQ(m_peer->pump().toHex(), (expected + expected).toHex());
}

TEST_F(AlsaBackendTest, VirtualInputsDeliverInOrderWithTheirEndpoint)
{
    for (const QString &name : {kSurface, kUser}) {
        m_recorder.messages.clear();
        auto &input = virtualInput(name);
        ASSERT_TRUE(m_peer->subscribeTo(addressOf(input.endpoint())));
        const QByteArray body(400, '\x11');
        m_peer->send({QByteArray::fromHex("e80040"), QByteArray::fromHex("f07d0003") + body.left(200),
                      body.mid(200) + QByteArray::fromHex("f7"), QByteArray::fromHex("b01f07")});
        ASSERT_TRUE(waitFor([&] { return m_recorder.messages.size() >= 3; }));
        QList<QByteArray> bytes;
        for (const auto &message : m_recorder.messages) {
            bytes.append(message.bytes());
            EXPECT_EQ(message.originatingEndpoint()->name(), name);
        }
        EXPECT_EQ(bytes,
                  (QList<QByteArray>{QByteArray::fromHex("e80040"),
                                     QByteArray::fromHex("f07d0003") + body + QByteArray::fromHex("f7"),
                                     QByteArray::fromHex("b01f07")}));
        m_streams.clear();
    }
}

// A peer client is a device that comes and goes with setup changes; the private input takes
// only the source chosen of it.
TEST_F(AlsaBackendTest, PeerDevicesComeAndGoAndThePrivateInputTakesOnlyItsChosenSource)
{
    QSignalSpy changes(midi::Client::sharedClient(), &midi::Client::setupChanged);
    auto &input = keep(std::make_shared<midi::PortInputStream>());
    input.setMessageDestination(&m_recorder);
    ASSERT_TRUE(waitFor([&] { return peerEndpoint(m_backend->sourceEndpoints()) != nullptr; }));
    const auto source = peerEndpoint(m_backend->sourceEndpoints());
    EXPECT_EQ(source->name(), "out");
    EXPECT_EQ(source->device()->name(), "Peer Synth");
    EXPECT_EQ(peerEndpoint(m_backend->destinationEndpoints())->name(), "in");

    input.setEndpoints({source});
    input.setEndpoints({source});
    m_peer->send({QByteArray::fromHex("b30102")});
    ASSERT_TRUE(waitFor([&] { return !m_recorder.messages.isEmpty(); }));
    input.setEndpoints({});
    m_peer->send({QByteArray::fromHex("b30103")});
    waitFor([] { return false; }, 200);
    ASSERT_EQ(m_recorder.messages.size(), 1);
    EXPECT_EQ(m_recorder.messages.first().bytes(), QByteArray::fromHex("b30102"));
    EXPECT_EQ(m_recorder.messages.first().originatingEndpoint(), source);

    const int client = m_peer->client();
    m_peer.reset();
    EXPECT_TRUE(waitFor([&] {
        const auto devices = m_backend->devices();
        return std::none_of(devices.begin(), devices.end(),
                            [&](const auto &d) { return d->uniqueID() == AlsaUniqueId::device(client); });
    }));
    EXPECT_GE(changes.size(), 1);
}

} // namespace

#include "JackBackend.h"
#include "JackPeer.h"
#include "StableId.h"
#include "WaitFor.h"

#include "midi/Client.h"
#include "midi/PortInputStream.h"
#include "midi/PortOutputStream.h"
#include "midi/VirtualInputStream.h"
#include "midi/VirtualOutputStream.h"

#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QString kSurface = "Stripdeck Surface";
const QString kUser = "Stripdeck User";

// JACK applies a new connection from a later period on, and bytes sent before that are lost by
// design. So after connecting, a test sends a probe (channel pressure, which no test sends
// otherwise) until it arrives; each probe is new, so one still under way from an earlier
// connection proves nothing. Probes are left out of what the tests compare.
bool isProbe(const QByteArray &bytes)
{
    return bytes.size() == 2 && (quint8(bytes.at(0)) & 0xF0) == 0xD0;
}

QByteArray nextProbe()
{
    static int count = 0;
    ++count;
    return QByteArray{1, char(0xD0 | (count & 0x0F))} + char((count >> 4) & 0x7F);
}

struct Recorder : midi::MessageDestination {
    void takeMIDIMessages(const midi::MessageList &list) override
    {
        for (const auto &message : list) {
            if (!isProbe(message.bytes()))
                messages.append(message);
            else if (message.bytes() == probe)
                arrived = true;
        }
    }
    QList<QByteArray> bytes() const
    {
        QList<QByteArray> all;
        for (const auto &message : messages)
            all.append(message.bytes());
        return all;
    }
    midi::MessageList messages;
    QByteArray probe;
    bool arrived = false;
};

// The program's six streams on the test server, with a peer client to talk to.
class JackBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        auto backend = JackBackend::open("Stripdeck Port", &error);
        if (!backend)
            GTEST_SKIP() << "no JACK server (run under scripts/with-test-services): " << error.toStdString();
        m_backend = backend.get();
        midi::Client::installBackend(std::move(backend));
    }

    void TearDown() override
    {
        m_streams.clear();
        m_peer.reset();
        midi::Client::installBackend(nullptr);
    }

    midi::VirtualInputStream &virtualInput(const QString &name)
    {
        auto stream = std::make_shared<midi::VirtualInputStream>();
        stream->setVirtualEndpointName(name);
        stream->setMessageDestination(&m_recorder);
        stream->setSelectedInputSources(stream->inputSources());
        m_streams.append(stream);
        return *stream;
    }

    midi::VirtualOutputStream &virtualOutput(const QString &name)
    {
        auto stream = std::make_shared<midi::VirtualOutputStream>(name, 0);
        m_streams.append(stream);
        return *stream;
    }

    JackPeer &peer(const QString &name = "Peer Synth")
    {
        m_peer = JackPeer::open(name);
        EXPECT_TRUE(m_peer);
        return *m_peer;
    }

    static bool primeOutput(midi::MessageDestination &stream, JackPeer &peer)
    {
        const QByteArray probe = nextProbe();
        return waitFor([&] {
            stream.takeMIDIMessages({midi::Message(probe)});
            return peer.received().contains(probe);
        });
    }

    bool primeInput(JackPeer &peer)
    {
        m_recorder.probe = nextProbe();
        m_recorder.arrived = false;
        return waitFor([&] {
            if (peer.sent())
                peer.send({m_recorder.probe});
            return m_recorder.arrived;
        });
    }

    static QByteArray withoutProbes(const QList<QByteArray> &events)
    {
        QByteArray bytes;
        for (const QByteArray &event : events) {
            if (!isProbe(event))
                bytes.append(event);
        }
        return bytes;
    }

    // Sends until the peer has exactly the bytes expected, probes left out (see withRetries).
    static bool delivers(midi::MessageDestination &stream, JackPeer &peer, const midi::MessageList &messages,
                         const QByteArray &expected)
    {
        return withRetries([&] {
            peer.clear();
            stream.takeMIDIMessages(messages);
            waitFor([&] { return withoutProbes(peer.received()).size() >= expected.size(); }, 2000);
            return withoutProbes(peer.received()) == expected;
        });
    }

    template <typename Endpoint>
    static std::shared_ptr<Endpoint> find(const QList<std::shared_ptr<Endpoint>> &list, const QString &device,
                                          const QString &name)
    {
        for (const auto &endpoint : list) {
            if (endpoint->device() && endpoint->device()->name() == device && endpoint->name() == name)
                return endpoint;
        }
        return nullptr;
    }

    JackBackend *m_backend = nullptr;
    Recorder m_recorder;
    QList<std::shared_ptr<void>> m_streams;
    std::unique_ptr<JackPeer> m_peer;
};

TEST_F(JackBackendTest, PublishesFourEndpointsWithLastingIdentifiers)
{
    const QList<std::shared_ptr<midi::Endpoint>> endpoints{
        virtualInput(kSurface).endpoint(), virtualOutput(kSurface).endpoint(), virtualInput(kUser).endpoint(),
        virtualOutput(kUser).endpoint()};
    const QString listing = JackPeer::run("jack_lsp", {"-t"});
    for (const char *port :
         {"Stripdeck Surface:in", "Stripdeck Surface:out", "Stripdeck User:in", "Stripdeck User:out"})
        EXPECT_TRUE(listing.contains(QLatin1String(port) + "\n\t8 bit raw midi")) << port;
    EXPECT_EQ(endpoints[1]->uniqueID(), StableId::fromName(u"Stripdeck Surface:out"));
    // The identifier is the port's for good: asked for another, it stays.
    const qint32 id = endpoints[3]->uniqueID();
    endpoints[3]->setUniqueID(id + 1);
    EXPECT_EQ(endpoints[3]->uniqueID(), id);
    m_streams.clear();
    EXPECT_EQ(virtualOutput(kUser).endpoint()->uniqueID(), id);
}

// Each output, virtual or private, delivers exactly the bytes sent, system exclusive longer
// than one chunk included; and jack_midi_dump reads them as the bytes they are.
TEST_F(JackBackendTest, OutputsDeliverExactBytesToPeers)
{
    auto port = std::make_shared<midi::PortOutputStream>();
    m_streams.append(port);
    auto &synth = peer();
    ASSERT_TRUE(
        waitFor([&] { return find(m_backend->destinationEndpoints(), synth.name(), "in") != nullptr; }));
    port->setEndpoints(QList{find(m_backend->destinationEndpoints(), synth.name(), "in")});

    const QByteArray sysex =
        QByteArray::fromHex("f07d0003") + QByteArray(700, '\x2a') + QByteArray::fromHex("f7");
    const midi::MessageList messages{midi::Message(QByteArray::fromHex("903c64")),
                                     midi::Message(QByteArray::fromHex("e07f7f")), midi::Message(sysex),
                                     midi::Message(QByteArray::fromHex("b00700"))};
    const QByteArray expected = QByteArray::fromHex("903c64e07f7f") + sysex + QByteArray::fromHex("b00700");
    const std::pair<QString, midi::MessageDestination *> outputs[] = {
        {kSurface + ":out", &virtualOutput(kSurface)},
        {kUser + ":out", &virtualOutput(kUser)},
        {{}, port.get()}};
    for (const auto &[name, stream] : outputs) {
        SCOPED_TRACE(name.isEmpty() ? "the private port" : name.toStdString());
        ASSERT_TRUE(name.isEmpty() || synth.connect(name, synth.inName()));
        ASSERT_TRUE(primeOutput(*stream, synth));
        EXPECT_TRUE(delivers(*stream, synth, messages, expected)) << synth.received().size() << " events";
    }

    QProcess dump;
    dump.start("jack_midi_dump", {"stripdeck-dump"});
    ASSERT_TRUE(waitFor([&] { return JackPeer::run("jack_lsp", {}).contains("stripdeck-dump:input"); }));
    ASSERT_EQ(JackPeer::run("jack_connect", {"Stripdeck User:out", "stripdeck-dump:input"}), QString());
    QString output;
    EXPECT_TRUE(waitFor([&] {
        // Sent until seen: the connection takes effect a period or so after jack_connect.
        outputs[1].second->takeMIDIMessages({midi::Message(QByteArray::fromHex("b10764"))});
        output += QString::fromUtf8(dump.readAllStandardOutput());
        return output.contains("b1 07 64");
    })) << output.toStdString();
    dump.kill();
    dump.waitForFinished();
}

// A program that sends and quits at once (the host simulator does) loses nothing: a closing
// output hands what it still holds to the server first.
TEST_F(JackBackendTest, AnOutputClosedRightAfterASendStillDeliversIt)
{
    auto &synth = peer();
    const QByteArray last = QByteArray::fromHex("b00740");
    for (int round = 0; round < 10; ++round) {
        auto &output = virtualOutput(kUser);
        ASSERT_TRUE(synth.connect(kUser + ":out", synth.inName()));
        ASSERT_TRUE(primeOutput(output, synth));
        synth.clear();
        output.takeMIDIMessages({midi::Message(last)});
        m_streams.clear();
        EXPECT_TRUE(waitFor([&] { return synth.received().contains(last); }, 1000)) << "round " << round;
    }
}

// Both virtual inputs hand what a peer sends to the handler, in order, each message with its
// input's endpoint; system exclusive sent in three events over three periods comes whole.
TEST_F(JackBackendTest, VirtualInputsDeliverInOrderWithTheirEndpoint)
{
    virtualInput(kSurface);
    virtualInput(kUser);
    auto &host = peer("Peer Host");
    const QByteArray name = QByteArray::fromHex("2a1a5c3b") + QByteArray(300, '\x11');
    for (const QString &input : {kSurface, kUser}) {
        m_recorder.messages.clear();
        JackPeer::run("jack_disconnect", {host.outName(), kSurface + ":in"});
        ASSERT_TRUE(host.connect(host.outName(), input + ":in"));
        ASSERT_TRUE(primeInput(host));
        const QList<QByteArray> expected{QByteArray::fromHex("e80040"),
                                         QByteArray::fromHex("f07d0003") + name + "\xf7",
                                         QByteArray::fromHex("b01f07"), QByteArray::fromHex("903c64")};
        EXPECT_TRUE(withRetries([&] {
            m_recorder.messages.clear();
            host.send({QByteArray::fromHex("e8 00 40"), QByteArray::fromHex("f0 7d 00 03"), name,
                       QByteArray::fromHex("f7 b0 1f 07"), QByteArray::fromHex("90 3c 64 3e")});
            waitFor([&] { return host.sent() && m_recorder.messages.size() >= 4; }, 2000);
            return m_recorder.bytes() == expected;
        })) << input.toStdString();
        for (const auto &message : m_recorder.messages)
            EXPECT_EQ(message.originatingEndpoint()->name(), input);
    }
}

// A peer client is a device with stable identifiers that comes and goes with setup changes (the
// program's own client is never one); the private ports follow the endpoints chosen of it.
TEST_F(JackBackendTest, PeerDevicesComeAndGoAndPrivatePortsFollowTheChosenEndpoints)
{
    QSignalSpy changes(midi::Client::sharedClient(), &midi::Client::setupChanged);
    auto output = std::make_shared<midi::PortOutputStream>();
    auto input = std::make_shared<midi::PortInputStream>();
    m_streams.append(output);
    m_streams.append(input);
    input->setMessageDestination(&m_recorder);
    auto &synth = peer();
    ASSERT_TRUE(waitFor([&] { return find(m_backend->sourceEndpoints(), synth.name(), "out") != nullptr; }));
    const auto source = find(m_backend->sourceEndpoints(), synth.name(), "out");
    const auto destination = find(m_backend->destinationEndpoints(), synth.name(), "in");
    ASSERT_TRUE(destination);
    EXPECT_EQ(source->device()->uniqueID(), StableId::fromName(synth.name()));
    EXPECT_GE(changes.size(), 1);

    // Choosing the same port twice connects it once: the bytes arrive once.
    output->setEndpoints(QList{destination});
    output->setEndpoints(QList{destination});
    input->setEndpoints({source});
    ASSERT_TRUE(primeOutput(*output, synth));
    ASSERT_TRUE(primeInput(synth));
    EXPECT_TRUE(
        delivers(*output, synth, {midi::Message(QByteArray::fromHex("c205"))}, QByteArray::fromHex("c205")));
    EXPECT_TRUE(withRetries([&] {
        m_recorder.messages.clear();
        synth.send({QByteArray::fromHex("b30102")});
        waitFor([&] { return !m_recorder.messages.isEmpty(); }, 2000);
        return m_recorder.bytes() == QList<QByteArray>{QByteArray::fromHex("b30102")};
    }));
    ASSERT_FALSE(m_recorder.messages.isEmpty());
    EXPECT_EQ(m_recorder.messages.first().originatingEndpoint(), source);

    // Choosing none disconnects both.
    output->setEndpoints(std::nullopt);
    input->setEndpoints({});
    EXPECT_TRUE(waitFor([&] {
        return JackPeer::run("jack_lsp", {"-c", "Stripdeck Port:out"}).trimmed() == "Stripdeck Port:out";
    }));
    EXPECT_EQ(JackPeer::run("jack_lsp", {"-c", "Stripdeck Port:in"}).trimmed(), "Stripdeck Port:in");

    const auto before = changes.size();
    m_peer.reset();
    EXPECT_TRUE(waitFor([&] { return m_backend->devices().isEmpty(); }));
    EXPECT_GT(changes.size(), before);
}

} // namespace

#include "CellTable.h"
#include "FreePort.h"

#include "model/UserDefaults.h"
#include "net/AsyncUdpSocket.h"
#include "osc/Client.h"
#include "osc/ClientDelegate.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCController.h"
#include "osc/OSCServer.h"
#include "osc/Parser.h"

#include <QEventLoop>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int waitMs = 5000;

QByteArray packet(const QString &address, const QVariantList &arguments)
{
    return osc::Message(address, arguments).packetData();
}

// The application's setup from preferences, with the cells of a few addresses.
class OscEndpoints : public ::testing::Test {
protected:
    // Starts on a listen port free for both protocols.
    void start(bool active, quint16 hostPort = 9)
    {
        m_port = bindToFreePort([&](quint16 port) {
            m_defaults.setObject(QVariantMap{{QStringLiteral("listen-port"), qint64(port)},
                                             {QStringLiteral("host-port"), qint64(hostPort)},
                                             {QStringLiteral("host-name"), QStringLiteral("127.0.0.1")},
                                             {QStringLiteral("active"), active}},
                                 QStringLiteral("OSC"));
            m_controller = std::make_unique<OSCController>(m_defaults, &m_cells);
            m_controller->setupOSC();
            return !active || m_controller->server()->isActive();
        });
        ASSERT_NE(m_port, 0) << "no free port for the OSC server";
    }

    OSCController &controller() { return *m_controller; }
    osc::Server &server() { return controller().server()->server(); }

    void sendDatagram(const QString &address, const QVariantList &arguments)
    {
        QUdpSocket().writeDatagram(packet(address, arguments), QHostAddress::LocalHost, m_port);
    }

    QTemporaryDir m_directory;
    UserDefaults m_defaults{m_directory.filePath(QStringLiteral("prefs.plist"))};
    CellTable m_cells;
    std::unique_ptr<OSCController> m_controller;
    quint16 m_port = 0;
};

TEST_F(OscEndpoints, DatagramAndTcpFrameOnTheSamePortBothMoveCellsAndLog)
{
    start(true);
    controlStore &fader = m_cells.cell(QStringLiteral("/mixer/fader1"));
    controlStore &pad = m_cells.cell(QStringLiteral("/pads/1"));
    QSignalSpy lines(&controller(), &OSCController::logLine);

    sendDatagram(QStringLiteral("/mixer/fader1"), {0.75, 99});
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader.value().isValid(); }, waitMs));
    EXPECT_FLOAT_EQ(fader.value().toFloat(), 0.75f);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0][0].toString(), QStringLiteral("/mixer/fader1 0.750000"));

    QTcpSocket stream;
    stream.connectToHost(QHostAddress::LocalHost, m_port);
    ASSERT_TRUE(stream.waitForConnected(waitMs));
    // The frame goes in two writes, split inside an escape, to cross chunk boundaries.
    const QByteArray frame = osc::Parser::slipEncoded(
        packet(QStringLiteral("/pads/1"), {QStringLiteral("on"), QByteArray("\xc0")}));
    stream.write(frame.left(frame.size() - 3));
    stream.flush();
    QTest::qWait(50);
    stream.write(frame.mid(frame.size() - 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pad.value().isValid(); }, waitMs));
    EXPECT_EQ(pad.value(), QVariant(QStringLiteral("on")));
    EXPECT_EQ(server().connectionCount(), 1);
}

TEST_F(OscEndpoints, InactiveSendsAndReceivesNothingThenSendsWithAndWithoutAValue)
{
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
    start(false, peer.localPort());
    controlStore &fader = m_cells.cell(QStringLiteral("/fader"));
    controller().sendOSCMessageWithAddressPattern(QStringLiteral("/out"), QVariant(1));
    sendDatagram(QStringLiteral("/fader"), {1});
    QTcpSocket stream;
    stream.connectToHost(QHostAddress::LocalHost, m_port);
    EXPECT_FALSE(stream.waitForConnected(waitMs));
    QTest::qWait(300);
    EXPECT_FALSE(peer.hasPendingDatagrams());
    EXPECT_FALSE(fader.value().isValid());

    // What the settings window does when OSC is switched on.
    ASSERT_TRUE(controller().server()->start());
    controller().client()->setIsActive(true);
    controller().sendOSCMessageWithAddressPattern(QStringLiteral("/v"), QVariant(0.25));
    controller().sendOSCMessageWithAddressPattern(QStringLiteral("/t 1 \"two words\""), QVariant());
    controller().sendOSCMessageWithAddressPattern(QStringLiteral("/l"), QVariantList{1, QStringLiteral("x")});
    controller().sendOSCMessageWithAddressPattern(QStringLiteral("not an address"), QVariant());
    QList<QByteArray> received;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            while (peer.hasPendingDatagrams())
                received.append(peer.receiveDatagram().data());
            return received.size() >= 3;
        },
        waitMs));
    QTest::qWait(100);
    EXPECT_FALSE(peer.hasPendingDatagrams()) << "neither the message sent while off nor the bad address";
    EXPECT_EQ(received, QList<QByteArray>({packet(QStringLiteral("/v"), {0.25}),
                                           packet(QStringLiteral("/t"), {1, QStringLiteral("two words")}),
                                           packet(QStringLiteral("/l"), {1, QStringLiteral("x")})}));
}

TEST_F(OscEndpoints, TcpConnectionsAreBoundedAndAClosedOneFreesItsPlace)
{
    start(true);
    std::vector<std::unique_ptr<QTcpSocket>> peers;
    for (int i = 0; i < osc::Server::maxTcpConnections + 8; ++i) {
        peers.push_back(std::make_unique<QTcpSocket>());
        peers.back()->connectToHost(QHostAddress::LocalHost, m_port);
    }
    const auto closed = [&] {
        return std::count_if(peers.begin(), peers.end(), [](const auto &peer) {
            return peer->state() == QAbstractSocket::UnconnectedState;
        });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed() == 8; }, waitMs));
    EXPECT_EQ(server().connectionCount(), osc::Server::maxTcpConnections);
    // A closed connection frees its place.
    peers.front()->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return server().connectionCount() == osc::Server::maxTcpConnections - 1; }, waitMs));
}

TEST_F(OscEndpoints, TcpConnectionIdleForTheTimeOutIsClosedWhileATalkingOneStays)
{
    start(true);
    server().setIdleTimeoutMs(600);
    QTcpSocket idle;
    QTcpSocket talking;
    for (QTcpSocket *peer : {&idle, &talking}) {
        peer->connectToHost(QHostAddress::LocalHost, m_port);
        ASSERT_TRUE(peer->waitForConnected(waitMs));
    }
    const QByteArray frame = osc::Parser::slipEncoded(packet(QStringLiteral("/alive"), {1}));
    idle.write(frame);
    QTimer chatter;
    QObject::connect(&chatter, &QTimer::timeout, [&] { talking.write(frame); });
    chatter.start(100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle.state() == QAbstractSocket::UnconnectedState; }, waitMs));
    EXPECT_EQ(talking.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(server().connectionCount(), 1);
}

struct ReplyRecorder : osc::ClientDelegate {
    void takeMessage(const osc::Message &message) override { addresses.append(message.addressPattern()); }
    QStringList addresses;
};

// A send that could not even start a connection (no port yet) must not leave the client
// believing it reads: the connection made later still delivers the peer's replies.
TEST(OscTcpClient, ReadsRepliesOnAConnectionMadeAfterAFailedOne)
{
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&peer, &QTcpServer::newConnection, [&peer] {
        QTcpSocket *connection = peer.nextPendingConnection();
        QObject::connect(connection, &QTcpSocket::readyRead, [connection] {
            connection->readAll();
            connection->write(osc::Parser::slipEncoded(packet(QStringLiteral("/reply"), {1})));
        });
    });
    ReplyRecorder replies;
    osc::Client client;
    client.setDelegate(&replies);
    client.setUseTcp(true);
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(0);
    client.sendPacket(osc::Message(QStringLiteral("/lost"), {}));
    EXPECT_FALSE(client.isConnected());

    client.setPort(peer.serverPort());
    client.sendPacket(osc::Message(QStringLiteral("/ask"), {}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !replies.addresses.isEmpty(); }, waitMs));
    EXPECT_EQ(replies.addresses, QStringList{QStringLiteral("/reply")});
}

// Counts the turns of the event loop: it runs once in every pass over the posted events.
class TurnCounter : public QObject {
public:
    TurnCounter() { QMetaObject::invokeMethod(this, &TurnCounter::turn, Qt::QueuedConnection); }
    int turns = 0;

private:
    void turn()
    {
        ++turns;
        QMetaObject::invokeMethod(this, &TurnCounter::turn, Qt::QueuedConnection);
    }
};

// What the server hands on, with the turn of the event loop it came in.
struct FloodRecorder : osc::PacketDestination {
    void takeMessage(const osc::Message &message) override
    {
        if (message.addressPattern() == QLatin1String("/end")) {
            ended = true;
            return;
        }
        values.push_back(message.argument(0).toInt());
        perTurn[counter->turns] += 1;
        // The first is kept alive, so no later socket can take its address.
        if (!firstReplySocket)
            firstReplySocket = message.replySocket();
        else if (message.replySocket() != firstReplySocket)
            ++otherReplySockets;
    }
    const TurnCounter *counter = nullptr;
    std::vector<int> values;
    std::map<int, int> perTurn;
    std::shared_ptr<osc::Socket> firstReplySocket;
    int otherReplySockets = 0;
    bool ended = false;
};

TEST(OscServerFlood, ReadsABoundedBatchPerTurnInOrderWithOneReplySocket)
{
    constexpr int datagrams = 100000;
    osc::Server server;
    const quint16 port = bindToFreePort([&](quint16 p) {
        server.setPort(p);
        return server.startListening();
    });
    ASSERT_NE(port, 0);
    TurnCounter counter;
    FloodRecorder recorder;
    recorder.counter = &counter;
    server.setDelegate(&recorder);

    std::unique_ptr<QThread> peer(QThread::create([port] {
        QUdpSocket socket;
        for (int i = 0; i < datagrams; ++i)
            socket.writeDatagram(packet(QStringLiteral("/flood"), {i}), QHostAddress::LocalHost, port);
    }));
    QEventLoop loop;
    QTimer end;
    QObject::connect(&end, &QTimer::timeout, [&] {
        if (recorder.ended)
            loop.quit();
        else if (peer->isFinished())
            QUdpSocket().writeDatagram(packet(QStringLiteral("/end"), {}), QHostAddress::LocalHost, port);
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    end.start(20);
    peer->start();
    loop.exec();
    peer->wait();
    ASSERT_TRUE(recorder.ended);

    // Loopback drops what the reader cannot take in time; what arrives is applied in order.
    ASSERT_GT(recorder.values.size(), 2 * std::size_t(net::AsyncUdpSocket::maxDatagramsPerTurn));
    EXPECT_TRUE(std::is_sorted(recorder.values.begin(), recorder.values.end()));
    EXPECT_EQ(std::set<int>(recorder.values.begin(), recorder.values.end()).size(), recorder.values.size());
    int largestBatch = 0;
    for (const auto &[turn, count] : recorder.perTurn)
        largestBatch = std::max(largestBatch, count);
    EXPECT_LE(largestBatch, net::AsyncUdpSocket::maxDatagramsPerTurn);
    // Every datagram of one peer names the same reply socket: nothing is made per datagram.
    EXPECT_TRUE(recorder.firstReplySocket);
    EXPECT_EQ(recorder.otherReplySockets, 0);
}

} // namespace

#include "CellTable.h"
#include "FreePort.h"

#include "model/UserDefaults.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCController.h"
#include "osc/OSCServer.h"
#include "osc/Parser.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

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

} // namespace

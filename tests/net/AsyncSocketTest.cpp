#include "net/AsyncTcpSocket.h"
#include "net/AsyncTcpSocketDelegate.h"
#include "net/AsyncUdpSocket.h"
#include "net/AsyncUdpSocketDelegate.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int waitMs = 5000;

struct UdpEvents : net::AsyncUdpSocketDelegate {
    void udpSocketDidReceiveData(net::AsyncUdpSocket *, const QByteArray &, const QHostAddress &,
                                 quint16) override
    {
    }
    void udpSocketDidNotSendData(net::AsyncUdpSocket *, long tag, const QString &) override
    {
        failed.push_back(tag);
    }
    void udpSocketDidClose(net::AsyncUdpSocket *, const QString &) override { ++closes; }

    std::vector<long> failed;
    int closes = 0;
};

TEST(AsyncUdpSocket, UnresolvableHostIsReportedAndClosesAfterSending)
{
    UdpEvents events;
    net::AsyncUdpSocket socket(&events);
    socket.sendData("x", QStringLiteral("no-such-host.invalid"), 9, 2000, 7);
    socket.closeAfterSending();
    EXPECT_FALSE(socket.isClosed());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.failed.empty(); }, waitMs));
    EXPECT_EQ(events.failed, std::vector<long>{7});
    EXPECT_TRUE(socket.isClosed());
    EXPECT_EQ(events.closes, 1);
}

struct TcpEvents : net::AsyncTcpSocketDelegate {
    void socketDidAcceptNewSocket(net::AsyncTcpSocket *, net::TcpSocketPtr socket) override
    {
        socket->setDelegate(this);
        accepted.push_back(std::move(socket));
    }
    void socketDidReadData(net::AsyncTcpSocket *socket, const QByteArray &data, long tag) override
    {
        received += data;
        readTags.push_back(tag);
        socket->readData(-1, tag + 1);
    }
    void socketDidWriteData(net::AsyncTcpSocket *, long tag) override { writeTags.push_back(tag); }
    void socketDidDisconnect(net::AsyncTcpSocket *, const QString &error) override
    {
        ++disconnects;
        lastError = error;
    }

    std::vector<net::TcpSocketPtr> accepted;
    QByteArray received;
    std::vector<long> readTags, writeTags;
    int disconnects = 0;
    QString lastError;
};

struct TcpPair {
    TcpPair()
        : listener(&serverEvents)
        , client(&clientEvents)
    {
        listening = listener.acceptOnInterface(QStringLiteral("127.0.0.1"), 0);
        if (listening)
            client.connectToHost(QStringLiteral("127.0.0.1"), listener.localPort(), 2000);
    }
    bool connected()
    {
        return listening &&
               QTest::qWaitFor([&] { return client.isConnected() && serverEvents.accepted.size() == 1; },
                               waitMs);
    }
    net::AsyncTcpSocket &server() { return *serverEvents.accepted.front(); }

    TcpEvents serverEvents, clientEvents;
    net::AsyncTcpSocket listener, client;
    bool listening = false;
};

TEST(AsyncTcpSocket, TaggedWritesThenDisconnectAfterWritingDeliverEverything)
{
    TcpPair pair;
    ASSERT_TRUE(pair.connected());
    pair.server().readData(-1, 100);
    QByteArray payload(1024 * 1024, 'p');
    payload.back() = 'E';
    pair.client.writeData("hello ", 3000, 1);
    pair.client.writeData(payload, 10000, 5);
    pair.client.disconnectAfterWriting();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pair.serverEvents.disconnects == 1; }, 4 * waitMs));
    // Not EXPECT_EQ: a megabyte in the failure message hides the point.
    EXPECT_TRUE(pair.serverEvents.received == "hello " + payload)
        << pair.serverEvents.received.size() << " bytes";
    EXPECT_EQ(pair.serverEvents.lastError, QString());
    EXPECT_EQ(pair.serverEvents.readTags.front(), 100);
    EXPECT_EQ(pair.clientEvents.writeTags, (std::vector<long>{1, 5}));
}

TEST(AsyncTcpSocket, ReadTimeOutOrDroppingAnAcceptedSocketClosesTheConnection)
{
    TcpPair timedOut;
    ASSERT_TRUE(timedOut.connected());
    timedOut.server().readData(100, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return timedOut.serverEvents.disconnects == 1; }, waitMs));
    EXPECT_EQ(timedOut.serverEvents.lastError, QStringLiteral("read: time-out"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return timedOut.clientEvents.disconnects == 1; }, waitMs));

    TcpPair dropped;
    ASSERT_TRUE(dropped.connected());
    dropped.serverEvents.accepted.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dropped.clientEvents.disconnects == 1; }, waitMs));
}

} // namespace

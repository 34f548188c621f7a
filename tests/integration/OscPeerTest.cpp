// Interoperation with liblo's command-line peers: oscsend talks to our server, oscdump
// listens to our client.
#include "../osc/CellTable.h"
#include "../osc/FreePort.h"

#include "model/UserDefaults.h"
#include "osc/Client.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCController.h"
#include "osc/OSCServer.h"
#include "osc/Parser.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int waitMs = 5000;

class OscPeers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("oscsend").isEmpty() ||
            QStandardPaths::findExecutable("oscdump").isEmpty())
            GTEST_SKIP() << "oscsend/oscdump (liblo-tools) not installed; run scripts/bootstrap";
    }

    void TearDown() override
    {
        m_dump.kill();
        m_dump.waitForFinished(waitMs);
    }

    // The application's setup, listening on a free port and sending to hostPort.
    bool startApplication(quint16 hostPort)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            m_port = freePortForTcpAndUdp();
            m_defaults.setObject(QVariantMap{{"listen-port", m_port},
                                             {"host-port", hostPort},
                                             {"host-name", "127.0.0.1"},
                                             {"active", true}},
                                 "OSC");
            m_controller = std::make_unique<OSCController>(m_defaults, &m_cells);
            m_controller->setupOSC();
            if (m_controller->server()->isActive())
                return true;
        }
        return false;
    }

    // Starts oscdump on a free port; url is "%1" for UDP or "osc.tcp://:%1".
    quint16 startDump(const QString &url)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            const quint16 port = freePortForTcpAndUdp();
            m_dump.start("oscdump", {"-L", url.arg(port)});
            if (m_dump.waitForStarted(waitMs) && !m_dump.waitForFinished(200))
                return port;
        }
        return 0;
    }

    // Sends with send() until oscdump prints a line holding marker; every line read is kept.
    bool dumpShows(const QString &marker, const std::function<void()> &send)
    {
        return QTest::qWaitFor(
            [&] {
                send();
                QTest::qWait(50);
                m_dumped += QString::fromUtf8(m_dump.readAllStandardOutput());
                return m_dumped.contains(marker);
            },
            waitMs);
    }

    // A whole line of oscdump's, after its time stamp.
    bool dumped(const QString &line) const { return m_dumped.contains(u' ' + line + u'\n'); }

    QTemporaryDir m_directory;
    UserDefaults m_defaults{m_directory.filePath("prefs.plist")};
    CellTable m_cells;
    std::unique_ptr<OSCController> m_controller;
    quint16 m_port = 0;
    QProcess m_dump;
    QString m_dumped;
};

TEST_F(OscPeers, OscsendOverUdpMovesTheCellOfItsAddress)
{
    ASSERT_TRUE(startApplication(9));
    const struct {
        const char *address, *type, *value;
        QVariant expected;
    } cases[] = {
        {"/peer/int", "i", "42", 42},
        {"/peer/float", "f", "0.25", 0.25f},
        {"/peer/string", "s", "hello world", "hello world"},
    };
    for (const auto &c : cases) {
        controlStore &cell = m_cells.cell(c.address);
        ASSERT_EQ(
            QProcess::execute("oscsend", {"127.0.0.1", QString::number(m_port), c.address, c.type, c.value}),
            0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return cell.value().isValid(); }, waitMs)) << c.address;
        EXPECT_EQ(cell.value(), c.expected) << c.address;
    }
}

// liblo frames TCP with a 32-bit length, not SLIP: such a stream never completes a frame
// here, and must leave the server working for SLIP peers.
TEST_F(OscPeers, OscsendOverTcpIsLengthPrefixedAndIgnored)
{
    ASSERT_TRUE(startApplication(9));
    controlStore &cell = m_cells.cell("/tcp");
    QProcess::execute("oscsend", {QString("osc.tcp://127.0.0.1:%1").arg(m_port), "/tcp", "i", "1"});
    QTest::qWait(200);
    EXPECT_FALSE(cell.value().isValid());

    QTcpSocket slipPeer;
    slipPeer.connectToHost(QHostAddress::LocalHost, m_port);
    ASSERT_TRUE(slipPeer.waitForConnected(waitMs));
    slipPeer.write(osc::Parser::slipEncoded(osc::Message("/tcp", {2}).packetData()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return cell.value().isValid(); }, waitMs));
    EXPECT_EQ(cell.value().toInt(), 2);
}

TEST_F(OscPeers, OscdumpReadsWhatOurClientSendsOverUdp)
{
    const quint16 dumpPort = startDump("%1");
    ASSERT_NE(dumpPort, 0) << "oscdump did not start";
    ASSERT_TRUE(startApplication(dumpPort));
    OSCClient &client = *m_controller->client();
    ASSERT_TRUE(dumpShows("/probe", [&] { client.sendPacket(osc::Message("/probe", {})); }));

    client.sendPacket(osc::Message("/all/types", {-7, 0.25, "two words", QByteArray("\xc0\xdb\x05", 3)}));
    m_controller->sendOSCMessageWithAddressPattern("/text", QVariant(QString::fromUtf8("Grüße")));
    ASSERT_TRUE(dumpShows(QString::fromUtf8("Grüße\"\n"), [] {}));
    EXPECT_TRUE(dumped("/all/types ifsb -7 0.250000 \"two words\" [3b 0xc0 0xdb 0x5]"))
        << m_dumped.toStdString();
    EXPECT_TRUE(dumped(QString::fromUtf8("/text s \"Grüße\""))) << m_dumped.toStdString();
}

// A control without a value (a transport button) sends its address text; text that carries
// arguments leaves as the message it spells, not as an address with spaces in it.
TEST_F(OscPeers, OscdumpReadsTheMessageThatAnAddressTextWithoutAValueSpells)
{
    const quint16 dumpPort = startDump("%1");
    ASSERT_NE(dumpPort, 0) << "oscdump did not start";
    ASSERT_TRUE(startApplication(dumpPort));
    ASSERT_TRUE(dumpShows("/probe",
                          [&] { m_controller->sendOSCMessageWithAddressPattern("/probe", QVariantList()); }));
    m_controller->sendOSCMessageWithAddressPattern("/transport/play 1 \"go now\"", QVariantList());
    m_controller->sendOSCMessageWithAddressPattern("/transport/stop", QVariantList());
    ASSERT_TRUE(dumpShows("/transport/stop", [] {}));
    EXPECT_TRUE(dumped("/transport/play is 1 \"go now\"")) << m_dumped.toStdString();
    EXPECT_TRUE(dumped("/transport/stop ")) << m_dumped.toStdString();
}

// liblo's TCP server recognises SLIP by its leading END, so oscdump reads our TCP client too.
TEST_F(OscPeers, OscdumpReadsOurSlipFramesOverTcp)
{
    const quint16 dumpPort = startDump("osc.tcp://:%1");
    ASSERT_NE(dumpPort, 0) << "oscdump did not start";
    QTcpSocket probe;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            probe.connectToHost(QHostAddress::LocalHost, dumpPort);
            return probe.waitForConnected(100);
        },
        waitMs));
    probe.disconnectFromHost();

    osc::Client client;
    client.setUseTcp(true);
    client.setHost("127.0.0.1");
    client.setPort(dumpPort);
    client.sendPacket(osc::Message("/stream", {1, 2.5, "s", QByteArray("\xdb\xdc", 2)}));
    client.sendPacket(osc::Message("/stream2", {}));
    ASSERT_TRUE(dumpShows("/stream2", [] {}));
    EXPECT_TRUE(dumped("/stream ifsb 1 2.500000 \"s\" [2b 0xdb 0xdc]")) << m_dumped.toStdString();
}

} // namespace

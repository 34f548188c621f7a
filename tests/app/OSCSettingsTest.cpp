#include "../osc/FreePort.h"
#include "AppDelegateTestSupport.h"
#include "app/OSCSettingsViewController.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCController.h"
#include "osc/OSCServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

namespace {

// Whether something accepts TCP connections on the loopback port. 127.0.0.2 is another address
// of this computer, reached by a server on every interface but not by one on 127.0.0.1 alone.
bool listening(quint16 port, const QHostAddress &address = QHostAddress(QHostAddress::LocalHost))
{
    QTcpSocket socket;
    socket.connectToHost(address, port);
    return socket.waitForConnected(3000);
}
const QHostAddress otherAddress(QStringLiteral("127.0.0.2"));

// The OSC settings window opened from the status menu, with OSC on and the endpoints on real
// loopback ports: the server on a free port, the client aimed at a socket of the test.
class OSCSettingsTest : public DialogsFixture {
protected:
    quint16 listenPort = 0;
    QUdpSocket peer;

    void SetUp() override
    {
        listenPort = freePortForTcpAndUdp();
        ASSERT_NE(listenPort, 0);
        ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
        defaults.setObject(QVariantMap{{QStringLiteral("listen-port"), listenPort},
                                       {QStringLiteral("host-port"), peer.localPort()},
                                       {QStringLiteral("host-name"), QStringLiteral("127.0.0.1")},
                                       {QStringLiteral("active"), true}},
                           QStringLiteral("OSC"));
        DialogsFixture::SetUp();
        ASSERT_TRUE(listening(listenPort));
        entry(QStringLiteral("OSC Settings..."))->trigger();
        ASSERT_TRUE(window());
    }

    OSCSettingsViewController *window()
    {
        return qobject_cast<OSCSettingsViewController *>(
            app.settingsWindows().window(SettingsWindows::Kind::OSC));
    }
    void type(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    void sendToServer(const QString &address, float value)
    {
        QUdpSocket out;
        out.writeDatagram(osc::Message(address, {QVariant(value)}).packetData(), QHostAddress::LocalHost,
                          listenPort);
    }
    QStringList logLines()
    {
        return window()->logTextField()->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QVariantMap stored() const { return defaults.dictionaryForKey(QStringLiteral("OSC")); }
};

TEST_F(OSCSettingsTest, PortsWrapAtTheEndpointButAreStoredAsTyped)
{
    type(window()->receivePortTextField(), QStringLiteral("70000"));
    EXPECT_EQ(app.osc().server()->server().port(), 4464);
    EXPECT_FALSE(listening(listenPort)) << "the old port was given up";
    type(window()->sendPortTextField(), QStringLiteral("65537"));
    EXPECT_EQ(app.osc().client()->port(), 1);
    EXPECT_EQ(stored().value(QStringLiteral("listen-port")).toLongLong(), listenPort)
        << "nothing is stored before the window closes";

    window()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window(); }));
    EXPECT_EQ(stored().value(QStringLiteral("listen-port")), QVariant(qint64(70000)));
    EXPECT_EQ(stored().value(QStringLiteral("host-port")), QVariant(qint64(65537)));
}

TEST_F(OSCSettingsTest, LogKeepsSevenDistinctLines)
{
    sendToServer(QStringLiteral("/fader1"), 0.5f);
    sendToServer(QStringLiteral("/fader1"), 0.5f);
    sendToServer(QStringLiteral("/fader2"), 0.25f);
    const QStringList twoLines{QStringLiteral("/fader1 0.500000"), QStringLiteral("/fader2 0.250000")};
    ASSERT_TRUE(QTest::qWaitFor([&] { return logLines() == twoLines; }))
        << "the same message twice logs one line: " << logLines().join(u'|').toStdString();
    for (int value = 1; value <= 8; ++value)
        sendToServer(QStringLiteral("/pad"), float(value));
    ASSERT_TRUE(QTest::qWaitFor([&] { return logLines().last() == QStringLiteral("/pad 8.000000"); }));
    EXPECT_EQ(logLines().size(), 7);
    EXPECT_EQ(logLines().first(), QStringLiteral("/pad 2.000000"));
}

TEST_F(OSCSettingsTest, TestMessageReachesTheHost)
{
    ASSERT_TRUE(clickButton(window(), QStringLiteral("Send Test Message")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(peer.hasPendingDatagrams()); }));
    QByteArray datagram(int(peer.pendingDatagramSize()), '\0');
    peer.readDatagram(datagram.data(), datagram.size());
    EXPECT_EQ(datagram, QByteArray("/test\0\0\0,f\0\0\x3f\x80\0\0", 16));
}

TEST_F(OSCSettingsTest, SwitchedOffStaysOffAcrossPortChangesAndTheNextStart)
{
    window()->activeButton()->click();
    EXPECT_FALSE(listening(listenPort));
    const quint16 otherPort = freePortForTcpAndUdp();
    type(window()->receivePortTextField(), QString::number(otherPort));
    EXPECT_FALSE(listening(otherPort)) << "a new port does not switch OSC back on";
    window()->close();
    EXPECT_EQ(stored().value(QStringLiteral("active")), QVariant(false));

    UserDefaults nextStart(defaults.filePath());
    OSCController osc(nextStart, nullptr);
    osc.setupOSC();
    EXPECT_FALSE(osc.client()->isActive());
    EXPECT_FALSE(listening(otherPort));
}

// Every interface by default, and the window says so; "This computer only" moves the server to
// 127.0.0.1 at once and is stored for the next start.
TEST_F(OSCSettingsTest, ListeningAddressIsShownAndThisComputerOnlyIsAppliedAndStored)
{
    const QString port = QString::number(listenPort);
    EXPECT_TRUE(window()->listeningAddressText()->text().contains(QStringLiteral("every interface")));
    EXPECT_TRUE(window()->listeningAddressText()->text().contains(port));
    EXPECT_TRUE(listening(listenPort, otherAddress));

    QComboBox *choice = window()->listenInterfaceButton();
    ASSERT_EQ(choice->currentText(), QStringLiteral("All interfaces"));
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_Down);
    ASSERT_EQ(choice->currentText(), QStringLiteral("This computer only"));
    EXPECT_TRUE(window()->listeningAddressText()->text().contains(QStringLiteral("127.0.0.1, port ") + port));
    EXPECT_TRUE(listening(listenPort));
    EXPECT_FALSE(listening(listenPort, otherAddress));

    window()->close();
    EXPECT_EQ(stored().value(QStringLiteral("listen-interface")), QVariant(QStringLiteral("localhost")));
    app.osc().server()->stop();
    UserDefaults nextStart(defaults.filePath());
    OSCController osc(nextStart, nullptr);
    osc.setupOSC();
    ASSERT_TRUE(osc.server()->isActive());
    EXPECT_TRUE(listening(listenPort));
    EXPECT_FALSE(listening(listenPort, otherAddress));
}

} // namespace

#pragma once

#include "net/AsyncTcpSocketDelegate.h"
#include "osc/SlipState.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <memory>

namespace osc {

class ClientDelegate;
class Packet;
class Socket;

// Sends packets to one host and port, over UDP or over a TCP connection that also carries
// replies back. Events arrive on the main thread.
class Client : public net::AsyncTcpSocketDelegate {
public:
    static constexpr quint16 defaultPort = 53000;

    Client();
    ~Client() override;
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    const QString &host() const { return m_host; }
    // An empty host means none.
    void setHost(const QString &host);
    quint16 port() const { return m_port; }
    void setPort(quint16 port);
    bool useTcp() const { return m_useTcp; }
    void setUseTcp(bool useTcp);
    const QString &interface() const { return m_interface; }
    void setInterface(const QString &interface);
    // Not owned.
    ClientDelegate *delegate() const { return m_delegate; }
    void setDelegate(ClientDelegate *delegate) { m_delegate = delegate; }
    const QVariant &userData() const { return m_userData; }
    void setUserData(const QVariant &userData) { m_userData = userData; }

    bool connect();
    void disconnect();
    bool isConnected() const;
    void sendPacket(const Packet &packet);

    void socketDidConnectToHost(net::AsyncTcpSocket *socket, const QString &host, quint16 port) override;
    void socketDidReadData(net::AsyncTcpSocket *socket, const QByteArray &data, long tag) override;
    void socketDidDisconnect(net::AsyncTcpSocket *socket, const QString &error) override;

private:
    void destroySocket();
    void resetReading();

    QString m_host = QStringLiteral("localhost");
    quint16 m_port = defaultPort;
    bool m_useTcp = false;
    QString m_interface;
    ClientDelegate *m_delegate = nullptr;
    QVariant m_userData;
    std::shared_ptr<Socket> m_socket;
    QByteArray m_readData;
    SlipState m_readState;
    bool m_reading = false;
};

} // namespace osc

#pragma once

#include "net/AsyncTcpSocketDelegate.h"
#include "net/AsyncUdpSocketDelegate.h"
#include "osc/SlipState.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>

namespace osc {

class PacketDestination;
class Socket;

// Listens on one port for datagrams over UDP and SLIP-framed packets over TCP, and hands
// every decoded message to its delegate on the main thread.
class Server : public net::AsyncTcpSocketDelegate, public net::AsyncUdpSocketDelegate {
public:
    // Every connection holds a frame buffer of up to a MiB; connections past this many are
    // closed as soon as they are accepted.
    static constexpr qsizetype maxTcpConnections = 32;
    static constexpr int defaultIdleTimeoutMs = 60 * 1000;

    Server();
    ~Server() override;
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    static QString validCharsForOSCMethod();

    quint16 port() const { return m_port; }
    // Stops listening; the new port takes effect at the next start.
    void setPort(quint16 port);
    // The address or interface name to listen on; empty for every interface. Stops listening;
    // it takes effect at the next start.
    const QString &interface() const { return m_interface; }
    void setInterface(const QString &interface);
    // A connection that sends nothing for this long is closed, so that idle peers cannot hold
    // every place.
    int idleTimeoutMs() const { return m_idleTimeoutMs; }
    void setIdleTimeoutMs(int timeoutMs) { m_idleTimeoutMs = timeoutMs; }
    quint16 udpReplyPort() const { return m_udpReplyPort; }
    void setUdpReplyPort(quint16 port) { m_udpReplyPort = port; }
    // Not owned.
    PacketDestination *delegate() const { return m_delegate; }
    void setDelegate(PacketDestination *delegate) { m_delegate = delegate; }

    // True only when both TCP and UDP listen; otherwise neither does.
    bool startListening();
    // Also closes the accepted connections, so nothing arrives until the next start.
    void stopListening();

    const std::shared_ptr<Socket> &tcpSocket() const { return m_tcpSocket; }
    const std::shared_ptr<Socket> &udpSocket() const { return m_udpSocket; }
    qsizetype connectionCount() const { return qsizetype(m_connections.size()); }

    void socketDidAcceptNewSocket(net::AsyncTcpSocket *listener, net::TcpSocketPtr socket) override;
    void socketDidReadData(net::AsyncTcpSocket *socket, const QByteArray &data, long tag) override;
    void socketDidDisconnect(net::AsyncTcpSocket *socket, const QString &error) override;
    void udpSocketDidReceiveData(net::AsyncUdpSocket *socket, const QByteArray &data,
                                 const QHostAddress &host, quint16 port) override;

private:
    struct Connection {
        std::shared_ptr<Socket> socket;
        QByteArray data;
        SlipState state;
    };

    // The reply socket of the last datagram's sender.
    const std::shared_ptr<Socket> &replySocketFor(const QString &host);

    quint16 m_port = 0;
    QString m_interface;
    int m_idleTimeoutMs = defaultIdleTimeoutMs;
    quint16 m_udpReplyPort = 0;
    PacketDestination *m_delegate = nullptr;
    std::shared_ptr<Socket> m_tcpSocket;
    std::shared_ptr<Socket> m_udpSocket;
    std::shared_ptr<Socket> m_replySocket;
    std::map<long, Connection> m_connections;
    long m_nextIndex = 0;
};

} // namespace osc

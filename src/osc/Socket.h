#pragma once

#include "net/SocketDisposer.h"

#include <QString>

#include <memory>

namespace net {
class AsyncTcpSocket;
class AsyncUdpSocket;
} // namespace net

namespace osc {

class Packet;

// One OSC endpoint over a TCP connection or listener, or over UDP. Packets travel SLIP-framed
// over TCP and one per datagram over UDP.
class Socket {
public:
    static constexpr int sendTimeoutMs = 3000;

    static std::shared_ptr<Socket> socketWithTcpSocket(net::TcpSocketPtr socket);
    static std::shared_ptr<Socket> socketWithUdpSocket(net::UdpSocketPtr socket);

    bool isTcpSocket() const { return bool(m_tcp); }
    bool isUdpSocket() const { return bool(m_udp); }
    net::AsyncTcpSocket *tcpSocket() const { return m_tcp.get(); }
    net::AsyncUdpSocket *udpSocket() const { return m_udp.get(); }

    // Empty: every interface.
    const QString &interface() const { return m_interface; }
    void setInterface(const QString &interface) { m_interface = interface; }
    const QString &host() const { return m_host; }
    void setHost(const QString &host) { m_host = host; }
    quint16 port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }

    bool startListening();
    void stopListening();
    bool connect();
    void disconnect();
    bool isConnected() const;
    void sendPacket(const Packet *packet);

private:
    Socket() = default;
    void sendDatagram(const QByteArray &data) const;

    net::TcpSocketPtr m_tcp;
    net::UdpSocketPtr m_udp;
    QString m_interface;
    QString m_host;
    quint16 m_port = 0;
};

} // namespace osc

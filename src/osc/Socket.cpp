#include "osc/Socket.h"

#include "net/AsyncTcpSocket.h"
#include "net/AsyncUdpSocket.h"
#include "osc/Packet.h"
#include "osc/Parser.h"

namespace osc {

std::shared_ptr<Socket> Socket::socketWithTcpSocket(net::TcpSocketPtr socket)
{
    std::shared_ptr<Socket> wrapper(new Socket);
    wrapper->m_tcp = std::move(socket);
    return wrapper;
}

std::shared_ptr<Socket> Socket::socketWithUdpSocket(net::UdpSocketPtr socket)
{
    std::shared_ptr<Socket> wrapper(new Socket);
    wrapper->m_udp = std::move(socket);
    return wrapper;
}

bool Socket::startListening()
{
    if (m_tcp)
        return m_tcp->acceptOnInterface(m_interface, m_port);
    return m_udp && m_udp->bindToPort(m_port, m_interface) && m_udp->beginReceiving();
}

void Socket::stopListening()
{
    if (m_tcp)
        m_tcp->disconnectAfterWriting();
    else if (m_udp)
        m_udp->close();
}

bool Socket::connect()
{
    if (!m_tcp)
        return bool(m_udp);
    if (!m_tcp->isDisconnected())
        return true;
    return !m_host.isEmpty() && m_port != 0 && m_tcp->connectToHost(m_host, m_port, -1);
}

void Socket::disconnect()
{
    if (m_tcp)
        m_tcp->disconnectAfterWriting();
    else if (m_udp)
        m_udp->close();
}

bool Socket::isConnected() const
{
    return m_tcp ? m_tcp->isConnected() : bool(m_udp);
}

void Socket::sendPacket(const Packet *packet)
{
    if (!packet)
        return;
    const QByteArray data = packet->packetData();
    if (m_tcp) {
        const QByteArray frame = Parser::slipEncoded(data);
        m_tcp->writeData(frame, sendTimeoutMs, long(frame.size()));
    } else if (m_udp) {
        sendDatagram(data);
    }
}

void Socket::sendDatagram(const QByteArray &data) const
{
    // Each datagram leaves from a socket of its own that closes and goes once it is out, so
    // a socket this one listens on is never closed by a send.
    auto *sender = new net::AsyncUdpSocket;
    if (!m_interface.isEmpty() && !sender->bindToPort(0, m_interface)) {
        delete sender;
        return;
    }
    sender->enableBroadcast(true);
    if (!m_host.isEmpty())
        sender->sendData(data, m_host, m_port, sendTimeoutMs, 0);
    sender->disposeAfterSending();
}

} // namespace osc

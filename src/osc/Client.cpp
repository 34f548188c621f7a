#include "osc/Client.h"

#include "net/AsyncTcpSocket.h"
#include "net/AsyncUdpSocket.h"
#include "osc/ClientDelegate.h"
#include "osc/Parser.h"
#include "osc/Socket.h"

namespace osc {

Client::Client() = default;

Client::~Client()
{
    destroySocket();
}

void Client::setHost(const QString &host)
{
    m_host = host;
    if (m_socket)
        m_socket->setHost(host);
}

void Client::setPort(quint16 port)
{
    m_port = port;
    if (m_socket)
        m_socket->setPort(port);
}

void Client::setUseTcp(bool useTcp)
{
    if (useTcp == m_useTcp)
        return;
    m_useTcp = useTcp;
    destroySocket();
}

void Client::setInterface(const QString &interface)
{
    m_interface = interface;
    if (m_socket)
        m_socket->setInterface(interface);
}

bool Client::connect()
{
    if (!m_socket) {
        if (m_useTcp) {
            m_socket = Socket::socketWithTcpSocket(net::TcpSocketPtr(new net::AsyncTcpSocket(this)));
            m_readState.socket = m_socket;
        } else {
            m_socket = Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket));
        }
        m_socket->setInterface(m_interface);
        m_socket->setHost(m_host);
        m_socket->setPort(m_port);
    }
    return m_socket->connect();
}

void Client::disconnect()
{
    if (m_socket)
        m_socket->disconnect();
    resetReading();
}

bool Client::isConnected() const
{
    return m_socket && m_socket->isConnected();
}

void Client::sendPacket(const Packet &packet)
{
    // A TCP connection the peer closed is opened again.
    if (!isConnected())
        connect();
    // Reading counts only once a read is really queued: a connection that could not even
    // begin queues none, and the next one must still start reading.
    if (m_socket->isTcpSocket() && !m_reading)
        m_reading = m_socket->tcpSocket()->readData(-1, 0);
    m_socket->sendPacket(&packet);
}

void Client::socketDidConnectToHost(net::AsyncTcpSocket *, const QString &, quint16)
{
    if (m_delegate)
        m_delegate->clientDidConnect(this);
}

void Client::socketDidReadData(net::AsyncTcpSocket *socket, const QByteArray &data, long tag)
{
    Parser::translateSlipData(data, m_readData, m_readState, m_delegate);
    socket->readData(-1, tag);
}

void Client::socketDidDisconnect(net::AsyncTcpSocket *, const QString &)
{
    resetReading();
    if (m_delegate)
        m_delegate->clientDidDisconnect(this);
}

void Client::destroySocket()
{
    m_readState.socket.reset();
    if (m_socket) {
        if (auto *tcp = m_socket->tcpSocket())
            tcp->setDelegate(nullptr);
        m_socket->disconnect();
        m_socket.reset();
    }
    resetReading();
}

void Client::resetReading()
{
    m_readData.clear();
    m_readState.danglingEsc = false;
    m_readState.discarding = false;
    m_reading = false;
}

} // namespace osc

#include "osc/Server.h"

#include "net/AsyncTcpSocket.h"
#include "net/AsyncUdpSocket.h"
#include "net/HostResolution.h"
#include "osc/AddressCharset.h"
#include "osc/Parser.h"
#include "osc/Socket.h"

#include <algorithm>

namespace osc {

Server::Server()
    : m_tcpSocket(Socket::socketWithTcpSocket(net::TcpSocketPtr(new net::AsyncTcpSocket(this))))
    , m_udpSocket(Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket(this))))
{
}

Server::~Server()
{
    // The sockets may outlive this object in packets still on their way.
    m_tcpSocket->tcpSocket()->setDelegate(nullptr);
    m_udpSocket->udpSocket()->setDelegate(nullptr);
    stopListening();
}

QString Server::validCharsForOSCMethod()
{
    return AddressCharset::methodCharacters();
}

void Server::setPort(quint16 port)
{
    stopListening();
    m_port = port;
    m_tcpSocket->setPort(port);
    m_udpSocket->setPort(port);
}

void Server::setInterface(const QString &interface)
{
    stopListening();
    m_interface = interface;
    m_tcpSocket->setInterface(interface);
    m_udpSocket->setInterface(interface);
}

bool Server::startListening()
{
    if (!m_tcpSocket->startListening())
        return false;
    if (!m_udpSocket->startListening()) {
        m_tcpSocket->stopListening();
        return false;
    }
    return true;
}

void Server::stopListening()
{
    m_tcpSocket->stopListening();
    m_udpSocket->stopListening();
    m_connections.clear();
}

void Server::socketDidAcceptNewSocket(net::AsyncTcpSocket *, net::TcpSocketPtr socket)
{
    if (connectionCount() >= maxTcpConnections)
        return;
    socket->setDelegate(this);
    net::AsyncTcpSocket *raw = socket.get();
    auto wrapper = Socket::socketWithTcpSocket(std::move(socket));
    wrapper->setHost(raw->connectedHost());
    wrapper->setPort(raw->connectedPort());
    const long index = m_nextIndex++;
    Connection &connection = m_connections[index];
    connection.socket = wrapper;
    connection.state.socket = wrapper;
    raw->readData(m_idleTimeoutMs, index);
}

void Server::socketDidReadData(net::AsyncTcpSocket *socket, const QByteArray &data, long tag)
{
    const auto found = m_connections.find(tag);
    if (found == m_connections.end() || found->second.socket->tcpSocket() != socket)
        return;
    Connection &connection = found->second;
    Parser::translateSlipData(data, connection.data, connection.state, m_delegate);
    // The read's time-out is the connection's idle time-out: it starts again with every read.
    socket->readData(m_idleTimeoutMs, tag);
}

void Server::socketDidDisconnect(net::AsyncTcpSocket *socket, const QString &)
{
    std::erase_if(m_connections,
                  [socket](const auto &entry) { return entry.second.socket->tcpSocket() == socket; });
}

void Server::udpSocketDidReceiveData(net::AsyncUdpSocket *, const QByteArray &data, const QHostAddress &host,
                                     quint16)
{
    Parser::processOscData(data, m_delegate, replySocketFor(net::HostResolution::hostText(host)));
}

const std::shared_ptr<Socket> &Server::replySocketFor(const QString &host)
{
    // Packets already handed on keep the socket they name, so a socket is never changed, only
    // replaced; a flood from one peer shares one.
    if (!m_replySocket || m_replySocket->host() != host || m_replySocket->port() != m_udpReplyPort) {
        m_replySocket = Socket::socketWithUdpSocket(net::UdpSocketPtr(new net::AsyncUdpSocket));
        m_replySocket->setHost(host);
        m_replySocket->setPort(m_udpReplyPort);
    }
    return m_replySocket;
}

} // namespace osc

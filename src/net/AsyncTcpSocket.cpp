#include "net/AsyncTcpSocket.h"

#include "net/AsyncTcpSocketDelegate.h"
#include "net/HostResolution.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace net {

void SocketDisposer::operator()(AsyncTcpSocket *socket) const
{
    socket->setDelegate(nullptr);
    socket->close();
    socket->deleteLater();
}

void AsyncTcpSocketDelegate::socketDidAcceptNewSocket(AsyncTcpSocket *, TcpSocketPtr) {}

AsyncTcpSocket::AsyncTcpSocket(AsyncTcpSocketDelegate *delegate, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AsyncTcpSocket::checkTimeouts);
}

AsyncTcpSocket::AsyncTcpSocket(QTcpSocket *connection, AsyncTcpSocketDelegate *delegate)
    : AsyncTcpSocket(delegate)
{
    adopt(connection);
}

AsyncTcpSocket::~AsyncTcpSocket() = default;

void AsyncTcpSocket::adopt(QTcpSocket *connection)
{
    m_socket = connection;
    m_socket->setParent(this);
    m_socket->setReadBufferSize(readBufferSize);
    connect(m_socket, &QTcpSocket::readyRead, this, &AsyncTcpSocket::pumpReads);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &AsyncTcpSocket::wrote);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        if (m_delegate)
            m_delegate->socketDidConnectToHost(this, connectedHost(), connectedPort());
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { closed(m_lastError); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError)
            m_lastError = m_socket->errorString();
        // A connection that never came up ends without a disconnected signal.
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            closed(m_lastError);
    });
}

bool AsyncTcpSocket::acceptOnInterface(const QString &interface, quint16 port)
{
    if (m_socket)
        return false;
    const auto address = HostResolution::interfaceAddress(interface);
    if (!address) {
        m_lastError = QStringLiteral("listen: no such interface: %1").arg(interface);
        return false;
    }
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &AsyncTcpSocket::acceptPending);
    }
    if (!m_server->listen(*address, port)) {
        m_lastError = QStringLiteral("listen: %1").arg(m_server->errorString());
        return false;
    }
    return true;
}

void AsyncTcpSocket::acceptPending()
{
    while (m_server && m_server->hasPendingConnections()) {
        TcpSocketPtr socket(new AsyncTcpSocket(m_server->nextPendingConnection(), nullptr));
        if (m_delegate)
            m_delegate->socketDidAcceptNewSocket(this, std::move(socket));
    }
}

bool AsyncTcpSocket::connectToHost(const QString &host, quint16 port, int timeoutMs)
{
    if (m_server || host.isEmpty() || (m_socket && !isDisconnected()))
        return false;
    if (!m_socket)
        adopt(new QTcpSocket(this));
    m_reportedClose = false;
    m_lastError.clear();
    if (const auto address = HostResolution::literalAddress(host))
        m_socket->connectToHost(*address, port);
    else
        m_socket->connectToHost(host, port);
    if (timeoutMs >= 0) {
        QTimer::singleShot(timeoutMs, m_socket, [this] {
            if (m_socket->state() != QAbstractSocket::ConnectedState) {
                m_lastError = QStringLiteral("connect: time-out");
                failed();
            }
        });
    }
    return true;
}

bool AsyncTcpSocket::readData(int timeoutMs, long tag)
{
    if (!m_socket || m_reportedClose)
        return false;
    m_reads.push_back({tag, 0, QDeadlineTimer(timeoutMs)});
    armTimer();
    // Delivered from the event loop, so a delegate may ask for the next read from its event.
    if (!m_pumpQueued) {
        m_pumpQueued = true;
        QMetaObject::invokeMethod(this, &AsyncTcpSocket::pumpReads, Qt::QueuedConnection);
    }
    return true;
}

void AsyncTcpSocket::pumpReads()
{
    m_pumpQueued = false;
    while (!m_reads.empty() && m_socket && m_socket->bytesAvailable() > 0) {
        const long tag = m_reads.front().tag;
        m_reads.pop_front();
        const QByteArray data = m_socket->readAll();
        if (m_delegate)
            m_delegate->socketDidReadData(this, data, tag);
    }
    armTimer();
}

void AsyncTcpSocket::writeData(const QByteArray &data, int timeoutMs, long tag)
{
    if (!m_socket || m_reportedClose || data.isEmpty())
        return;
    if (m_socket->write(data) != data.size()) {
        m_lastError = QStringLiteral("write: %1").arg(m_socket->errorString());
        failed();
        return;
    }
    m_writes.push_back({tag, data.size(), QDeadlineTimer(timeoutMs)});
    armTimer();
}

void AsyncTcpSocket::wrote(qint64 bytes)
{
    while (bytes > 0 && !m_writes.empty()) {
        Request &front = m_writes.front();
        const qint64 taken = std::min(bytes, front.remaining);
        front.remaining -= taken;
        bytes -= taken;
        if (front.remaining == 0) {
            const long tag = front.tag;
            m_writes.pop_front();
            if (m_delegate)
                m_delegate->socketDidWriteData(this, tag);
        }
    }
    armTimer();
}

void AsyncTcpSocket::armTimer()
{
    qint64 soonest = -1;
    for (const auto *queue : {&m_reads, &m_writes}) {
        for (const Request &request : *queue) {
            if (!request.deadline.isForever()) {
                const qint64 left = request.deadline.remainingTime();
                soonest = soonest < 0 ? left : std::min(soonest, left);
            }
        }
    }
    if (soonest < 0)
        m_timer.stop();
    else
        m_timer.start(int(soonest));
}

void AsyncTcpSocket::checkTimeouts()
{
    const auto expired = [](const Request &request) { return request.deadline.hasExpired(); };
    if (std::any_of(m_reads.begin(), m_reads.end(), expired)) {
        m_lastError = QStringLiteral("read: time-out");
        failed();
    } else if (std::any_of(m_writes.begin(), m_writes.end(), expired)) {
        m_lastError = QStringLiteral("write: time-out");
        failed();
    } else {
        armTimer();
    }
}

void AsyncTcpSocket::failed()
{
    const QString error = m_lastError;
    if (m_socket)
        m_socket->abort();
    closed(error);
}

void AsyncTcpSocket::disconnectAfterWriting()
{
    if (m_server)
        m_server->close();
    // Qt closes only after its write buffer has gone out.
    if (m_socket)
        m_socket->disconnectFromHost();
}

void AsyncTcpSocket::close()
{
    if (m_server)
        m_server->close();
    if (m_socket)
        m_socket->abort();
}

bool AsyncTcpSocket::isListening() const
{
    return m_server && m_server->isListening();
}

bool AsyncTcpSocket::isConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool AsyncTcpSocket::isDisconnected() const
{
    return !m_socket || m_socket->state() == QAbstractSocket::UnconnectedState;
}

QString AsyncTcpSocket::connectedHost() const
{
    return m_socket ? HostResolution::hostText(m_socket->peerAddress()) : QString();
}

quint16 AsyncTcpSocket::connectedPort() const
{
    return m_socket ? m_socket->peerPort() : 0;
}

quint16 AsyncTcpSocket::localPort() const
{
    if (m_server)
        return m_server->serverPort();
    return m_socket ? m_socket->localPort() : 0;
}

void AsyncTcpSocket::closed(const QString &error)
{
    if (m_reportedClose)
        return;
    m_reportedClose = true;
    m_reads.clear();
    m_writes.clear();
    m_timer.stop();
    if (m_delegate)
        m_delegate->socketDidDisconnect(this, error);
}

} // namespace net

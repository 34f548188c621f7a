#include "net/AsyncUdpSocket.h"

#include "net/AsyncUdpSocketDelegate.h"
#include "net/HostResolution.h"
#include "net/SocketDisposer.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>

namespace net {

void SocketDisposer::operator()(AsyncUdpSocket *socket) const
{
    socket->setDelegate(nullptr);
    socket->close();
    socket->deleteLater();
}

struct AsyncUdpSocket::PendingSend {
    QByteArray data;
    quint16 port = 0;
    long tag = 0;
    int lookupId = -1;
    QTimer timer;
};

AsyncUdpSocket::AsyncUdpSocket(AsyncUdpSocketDelegate *delegate, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &AsyncUdpSocket::readPendingDatagrams);
}

AsyncUdpSocket::~AsyncUdpSocket()
{
    for (const auto &send : m_pending) {
        if (send->lookupId >= 0)
            QHostInfo::abortHostLookup(send->lookupId);
    }
}

bool AsyncUdpSocket::bindToPort(quint16 port, const QString &interface)
{
    const auto address = HostResolution::interfaceAddress(interface);
    if (!address) {
        m_lastError = QStringLiteral("bind: no such interface: %1").arg(interface);
        return false;
    }
    if (!m_socket->bind(*address, port)) {
        m_lastError = QStringLiteral("bind: %1").arg(m_socket->errorString());
        return false;
    }
    m_closed = false;
    return true;
}

bool AsyncUdpSocket::beginReceiving()
{
    if (!isBound()) {
        m_lastError = QStringLiteral("receive: socket is not bound");
        return false;
    }
    m_receiving = true;
    readPendingDatagrams();
    return true;
}

bool AsyncUdpSocket::enableBroadcast(bool enable)
{
    // Qt sets SO_BROADCAST on every UDP socket it opens, so broadcast addresses work as they
    // are; switching it off is not offered.
    return enable;
}

void AsyncUdpSocket::sendData(const QByteArray &data, const QString &host, quint16 port, int timeoutMs,
                              long tag)
{
    auto send = std::make_unique<PendingSend>();
    send->data = data;
    send->port = port;
    send->tag = tag;
    PendingSend *raw = send.get();
    m_pending.push_back(std::move(send));
    m_closed = false;
    if (const auto address = HostResolution::literalAddress(host)) {
        resolved(raw, *address);
        return;
    }
    if (timeoutMs >= 0) {
        raw->timer.setSingleShot(true);
        connect(&raw->timer, &QTimer::timeout, this,
                [this, raw] { finish(raw, QStringLiteral("send: time-out")); });
        // The timer dies with its send, so it never fires for a finished one.
        raw->timer.start(timeoutMs);
    }
    raw->lookupId = QHostInfo::lookupHost(host, this, [this, raw](const QHostInfo &info) {
        if (!isPending(raw))
            return;
        raw->lookupId = -1;
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
            finish(raw, QStringLiteral("lookup: %1").arg(info.errorString()));
        else
            resolved(raw, info.addresses().first());
    });
}

bool AsyncUdpSocket::isPending(const PendingSend *send) const
{
    return std::any_of(m_pending.begin(), m_pending.end(),
                       [send](const auto &pending) { return pending.get() == send; });
}

void AsyncUdpSocket::resolved(PendingSend *send, const QHostAddress &address)
{
    if (m_socket->writeDatagram(send->data, address, send->port) < 0)
        finish(send, QStringLiteral("sendto: %1").arg(m_socket->errorString()));
    else
        finish(send, {});
}

void AsyncUdpSocket::finish(PendingSend *send, const QString &error)
{
    const long tag = send->tag;
    if (send->lookupId >= 0)
        QHostInfo::abortHostLookup(send->lookupId);
    m_pending.remove_if([send](const auto &pending) { return pending.get() == send; });
    if (!error.isEmpty())
        m_lastError = error;
    if (m_delegate) {
        if (error.isEmpty())
            m_delegate->udpSocketDidSendData(this, tag);
        else
            m_delegate->udpSocketDidNotSendData(this, tag, error);
    }
    closeIfDone();
}

void AsyncUdpSocket::closeAfterSending()
{
    m_closeWhenDone = true;
    closeIfDone();
}

void AsyncUdpSocket::disposeAfterSending()
{
    m_deleteWhenClosed = true;
    closeAfterSending();
}

void AsyncUdpSocket::closeIfDone()
{
    if (m_closeWhenDone && m_pending.empty())
        close();
}

void AsyncUdpSocket::close()
{
    const bool wasOpen = !m_closed;
    m_closed = true;
    m_closeWhenDone = false;
    m_receiving = false;
    m_pending.clear();
    m_socket->close();
    if (wasOpen && m_delegate)
        m_delegate->udpSocketDidClose(this, {});
    if (m_deleteWhenClosed)
        deleteLater();
}

bool AsyncUdpSocket::isBound() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

quint16 AsyncUdpSocket::localPort() const
{
    return m_socket->localPort();
}

void AsyncUdpSocket::readPendingDatagrams()
{
    // Datagrams wait in the kernel until receiving begins. What is left after a batch is
    // announced again in the next turn of the event loop: the socket notifier fires for as
    // long as anything is waiting.
    for (int read = 0; read < maxDatagramsPerTurn && m_receiving && m_socket->hasPendingDatagrams(); ++read) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (m_delegate && datagram.isValid())
            m_delegate->udpSocketDidReceiveData(this, datagram.data(), datagram.senderAddress(),
                                                quint16(datagram.senderPort()));
    }
}

} // namespace net

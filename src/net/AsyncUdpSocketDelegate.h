#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>

namespace net {

class AsyncUdpSocket;

// Events of a UDP socket, delivered on the thread the socket lives in (the main thread).
class AsyncUdpSocketDelegate {
public:
    virtual ~AsyncUdpSocketDelegate() = default;
    virtual void udpSocketDidReceiveData(AsyncUdpSocket *socket, const QByteArray &data,
                                         const QHostAddress &host, quint16 port) = 0;
    virtual void udpSocketDidSendData(AsyncUdpSocket *, long /*tag*/) {}
    virtual void udpSocketDidNotSendData(AsyncUdpSocket *, long /*tag*/, const QString & /*error*/) {}
    virtual void udpSocketDidClose(AsyncUdpSocket *, const QString & /*error*/) {}
};

} // namespace net

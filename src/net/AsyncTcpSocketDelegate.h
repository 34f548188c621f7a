#pragma once

#include <QByteArray>
#include <QString>

#include "net/SocketDisposer.h"

namespace net {

// Events of a TCP socket, delivered on the thread the socket lives in (the main thread).
class AsyncTcpSocketDelegate {
public:
    virtual ~AsyncTcpSocketDelegate() = default;
    // The new connection belongs to the delegate; dropping it closes it.
    virtual void socketDidAcceptNewSocket(AsyncTcpSocket *listener, TcpSocketPtr socket);
    virtual void socketDidConnectToHost(AsyncTcpSocket *, const QString & /*host*/, quint16 /*port*/) {}
    virtual void socketDidReadData(AsyncTcpSocket *, const QByteArray & /*data*/, long /*tag*/) {}
    virtual void socketDidWriteData(AsyncTcpSocket *, long /*tag*/) {}
    // error is empty for an orderly close.
    virtual void socketDidDisconnect(AsyncTcpSocket *, const QString & /*error*/) {}
};

} // namespace net

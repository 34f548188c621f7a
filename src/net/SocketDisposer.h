#pragma once

#include <memory>

namespace net {

class AsyncTcpSocket;
class AsyncUdpSocket;

// Ends a socket's life from the event loop, never inside one of its own signals: the delegate
// is cleared and the socket closed at once, the object deleted later.
struct SocketDisposer {
    void operator()(AsyncTcpSocket *socket) const;
    void operator()(AsyncUdpSocket *socket) const;
};

using TcpSocketPtr = std::unique_ptr<AsyncTcpSocket, SocketDisposer>;
using UdpSocketPtr = std::unique_ptr<AsyncUdpSocket, SocketDisposer>;

} // namespace net

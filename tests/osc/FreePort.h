#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QUdpSocket>

// A port that is free for both TCP and UDP right now. Another process may take it before the
// caller binds, so callers retry when their own bind fails.
inline quint16 freePortForTcpAndUdp()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer tcp;
        if (!tcp.listen(QHostAddress::Any, 0))
            continue;
        QUdpSocket udp;
        if (udp.bind(QHostAddress::Any, tcp.serverPort()))
            return tcp.serverPort();
    }
    return 0;
}

// Calls bind with such ports until it succeeds; returns the port it took, or 0.
template <typename Bind> quint16 bindToFreePort(Bind bind)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        const quint16 port = freePortForTcpAndUdp();
        if (port != 0 && bind(port))
            return port;
    }
    return 0;
}

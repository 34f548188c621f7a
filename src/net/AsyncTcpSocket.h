#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "net/SocketDisposer.h"

#include <deque>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace net {

class AsyncTcpSocketDelegate;

// A non-blocking TCP socket: either a listener that accepts connections or one connection.
// Reads and writes are queued requests with a tag that comes back in the delegate's event.
class AsyncTcpSocket : public QObject {
    Q_OBJECT
public:
    // Received bytes wait in a buffer of this size; the peer is held back while it is full.
    static constexpr qint64 readBufferSize = 64 * 1024;

    explicit AsyncTcpSocket(AsyncTcpSocketDelegate *delegate = nullptr, QObject *parent = nullptr);
    ~AsyncTcpSocket() override;

    // Not owned; events stop when it is cleared.
    void setDelegate(AsyncTcpSocketDelegate *delegate) { m_delegate = delegate; }

    bool acceptOnInterface(const QString &interface, quint16 port);
    // timeoutMs < 0: no time-out.
    bool connectToHost(const QString &host, quint16 port, int timeoutMs);
    // Delivers whatever has arrived, at least one byte, with the tag. False when there is no
    // connection (none begun, or it has closed): nothing will be read.
    bool readData(int timeoutMs, long tag);
    void writeData(const QByteArray &data, int timeoutMs, long tag);
    // A listener stops accepting; a connection closes once its queued writes are out.
    void disconnectAfterWriting();
    void close();

    bool isListening() const;
    bool isConnected() const;
    bool isDisconnected() const;
    QString connectedHost() const;
    quint16 connectedPort() const;
    quint16 localPort() const;
    QString lastError() const { return m_lastError; }

private:
    struct Request {
        long tag;
        qint64 remaining; // bytes still to be written; unused for reads
        QDeadlineTimer deadline;
    };

    explicit AsyncTcpSocket(QTcpSocket *connection, AsyncTcpSocketDelegate *delegate);
    void adopt(QTcpSocket *connection);
    void acceptPending();
    void pumpReads();
    void wrote(qint64 bytes);
    void armTimer();
    void checkTimeouts();
    void failed();
    void closed(const QString &error);

    AsyncTcpSocketDelegate *m_delegate;
    QTcpServer *m_server = nullptr;
    QTcpSocket *m_socket = nullptr;
    std::deque<Request> m_reads;
    std::deque<Request> m_writes;
    QTimer m_timer;
    QString m_lastError;
    bool m_pumpQueued = false;
    bool m_reportedClose = false;
};

} // namespace net

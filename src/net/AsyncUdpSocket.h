#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <list>
#include <memory>

class QTimer;
class QUdpSocket;

namespace net {

class AsyncUdpSocketDelegate;

// A non-blocking UDP socket. Sends never block: a host name is looked up in the background
// and a send that is not out within its time-out is dropped and reported.
class AsyncUdpSocket : public QObject {
    Q_OBJECT
public:
    // Datagrams read in one turn of the event loop; the rest wait for the next turn, so a flood
    // cannot hold the loop (and with it the menus and the strip) for as long as it lasts.
    static constexpr int maxDatagramsPerTurn = 64;

    explicit AsyncUdpSocket(AsyncUdpSocketDelegate *delegate = nullptr, QObject *parent = nullptr);
    ~AsyncUdpSocket() override;

    // Not owned; events stop when it is cleared.
    void setDelegate(AsyncUdpSocketDelegate *delegate) { m_delegate = delegate; }

    bool bindToPort(quint16 port, const QString &interface = {});
    bool beginReceiving();
    bool enableBroadcast(bool enable);
    // timeoutMs < 0: no time-out.
    void sendData(const QByteArray &data, const QString &host, quint16 port, int timeoutMs, long tag);
    void closeAfterSending();
    // Closes once pending sends are done, then deletes itself.
    void disposeAfterSending();
    void close();

    bool isClosed() const { return m_closed; }
    bool isBound() const;
    quint16 localPort() const;
    // The failing call and its reason, for the last operation that failed.
    QString lastError() const { return m_lastError; }

private:
    struct PendingSend;

    void readPendingDatagrams();
    bool isPending(const PendingSend *send) const;
    void resolved(PendingSend *send, const QHostAddress &address);
    void finish(PendingSend *send, const QString &error);
    void closeIfDone();

    AsyncUdpSocketDelegate *m_delegate;
    QUdpSocket *m_socket;
    std::list<std::unique_ptr<PendingSend>> m_pending;
    QString m_lastError;
    bool m_receiving = false;
    bool m_closeWhenDone = false;
    bool m_deleteWhenClosed = false;
    bool m_closed = false;
};

} // namespace net

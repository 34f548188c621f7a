#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

// A web server on loopback that answers every request with one fixed HTTP reply, or keeps
// the connection open and never answers.
class FeedServer : public QTcpServer {
public:
    enum class Mode { Answer, Silent };

    explicit FeedServer(Mode mode = Mode::Answer)
        : m_mode(mode)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    // Answers with this status and body, as an XML file.
    void setReply(const QByteArray &body, int status = 200)
    {
        m_reply = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Not Found") +
                  "\r\nContent-Type: text/xml\r\nConnection: close\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    QByteArray lastRequest() const { return m_request; }
    int requests() const { return m_requests; }

    static QByteArray feed(const QByteArray &entries)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries +
               "</dict></plist>\n";
    }

private:
    void answer(QTcpSocket *socket)
    {
        m_request += socket->readAll();
        if (!m_request.contains("\r\n\r\n"))
            return;
        ++m_requests;
        if (m_mode == Mode::Silent)
            return;
        socket->write(m_reply);
        socket->disconnectFromHost();
    }

    Mode m_mode;
    QByteArray m_reply;
    QByteArray m_request;
    int m_requests = 0;
};

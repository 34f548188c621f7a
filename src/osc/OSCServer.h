#pragma once

#include "osc/PacketDestination.h"
#include "osc/Server.h"

#include <QObject>

class oscServerDelegate;

// The application's OSC server: listens on one port (UDP and TCP) while active and passes
// the first argument of each message to its message delegate.
class OSCServer : public QObject, public osc::PacketDestination {
    Q_OBJECT
public:
    explicit OSCServer(quint16 port, QObject *parent = nullptr);

    bool isActive() const { return m_isActive; }
    quint16 listeningPort() const { return m_listeningPort; }
    // Not owned.
    oscServerDelegate *messageDelegate() const { return m_messageDelegate; }
    void setMessageDelegate(oscServerDelegate *delegate) { m_messageDelegate = delegate; }
    osc::Server &server() { return m_server; }

    // Active only when listening worked.
    bool start();
    // Stops listening but leaves isActive as it is.
    void stop();
    void changePortTo(quint16 port);
    // Empty: every interface. Restarts listening there, as a port change does.
    QString listenInterface() const { return m_server.interface(); }
    void setListenInterface(const QString &interface) { m_server.setInterface(interface); }
    void changeInterfaceTo(const QString &interface);
    bool isListening() const;

    void takeMessage(const osc::Message &message) override;

private:
    void applyMessage(const osc::Message &message);

    osc::Server m_server;
    oscServerDelegate *m_messageDelegate = nullptr;
    quint16 m_listeningPort;
    bool m_isActive = false;
};

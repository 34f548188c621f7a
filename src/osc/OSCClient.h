#pragma once

#include "osc/Client.h"

#include <QObject>
#include <QString>

namespace osc {
class Packet;
}

// The application's OSC client: sends over UDP to the configured host and port, and only
// while it is active.
class OSCClient : public QObject {
    Q_OBJECT
public:
    OSCClient(const QString &host, quint16 port, QObject *parent = nullptr);

    bool isActive() const { return m_isActive; }
    void setIsActive(bool active) { m_isActive = active; }
    quint16 port() const { return m_port; }
    const QString &host() const { return m_host; }
    osc::Client &client() { return m_client; }

    void changePortTo(quint16 port);
    void changeHotTo(const QString &host);
    void sendPacket(const osc::Packet &packet);

private:
    osc::Client m_client;
    QString m_host;
    quint16 m_port;
    bool m_isActive = false;
};

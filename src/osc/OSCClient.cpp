#include "osc/OSCClient.h"

OSCClient::OSCClient(const QString &host, quint16 port, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_port(port)
{
    m_client.setHost(host);
    m_client.setPort(port);
}

void OSCClient::changePortTo(quint16 port)
{
    m_port = port;
    m_client.setPort(port);
}

void OSCClient::changeHotTo(const QString &host)
{
    m_host = host;
    m_client.setHost(host);
}

void OSCClient::sendPacket(const osc::Packet &packet)
{
    if (m_isActive)
        m_client.sendPacket(packet);
}

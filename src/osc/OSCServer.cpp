#include "osc/OSCServer.h"

#include "net/AsyncUdpSocket.h"
#include "osc/Message.h"
#include "osc/Socket.h"
#include "osc/oscServerDelegate.h"

OSCServer::OSCServer(quint16 port, QObject *parent)
    : QObject(parent)
    , m_listeningPort(port)
{
    m_server.setPort(port);
    m_server.setDelegate(this);
}

bool OSCServer::start()
{
    if (!m_server.startListening())
        return false;
    m_isActive = true;
    return true;
}

void OSCServer::stop()
{
    m_server.stopListening();
}

void OSCServer::changePortTo(quint16 port)
{
    m_isActive = false;
    m_listeningPort = port;
    m_server.setPort(port);
    start();
}

void OSCServer::changeInterfaceTo(const QString &interface)
{
    m_isActive = false;
    m_server.setInterface(interface);
    start();
}

bool OSCServer::isListening() const
{
    return m_server.udpSocket()->udpSocket()->isBound();
}

void OSCServer::takeMessage(const osc::Message &message)
{
    // Applied from the event loop: the socket that decoded it is still inside its own event.
    QMetaObject::invokeMethod(
        this, [this, message] { applyMessage(message); }, Qt::QueuedConnection);
}

void OSCServer::applyMessage(const osc::Message &message)
{
    if (message.argumentCount() == 0 || !m_messageDelegate)
        return;
    m_messageDelegate->setVal(message.argument(0), message.addressPattern());
}

#include "osc/OSCController.h"

#include "model/UserDefaults.h"
#include "osc/Message.h"
#include "osc/OSCClient.h"
#include "osc/OSCServer.h"

OSCController::OSCController(UserDefaults &defaults, oscServerDelegate *listener, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_listener(listener)
{
}

OSCController::~OSCController() = default;

void OSCController::setupOSC()
{
    const QVariantMap settings = m_defaults.dictionaryForKey(QStringLiteral("OSC"));
    // Ports wrap into 16 bits the way the settings window hands them over.
    const auto port = [&settings](const char *key) {
        return quint16(settings.value(QLatin1String(key)).toLongLong());
    };
    m_server = std::make_unique<OSCServer>(port("listen-port"));
    m_server->setListenInterface(settings.value(QStringLiteral("listen-interface")).toString());
    m_server->setMessageDelegate(this);
    m_client = std::make_unique<OSCClient>(settings.value(QStringLiteral("host-name")).toString(),
                                           port("host-port"));
    if (settings.value(QStringLiteral("active")).toBool()) {
        m_server->start();
        m_client->setIsActive(true);
    }
}

void OSCController::sendOSCMessageWithAddressPattern(const QString &address, const QVariant &value)
{
    if (!m_client)
        return;
    if (value.isValid()) {
        // Every fader move comes this way: the value is read once, and no list is built.
        const auto argument = osc::Message::argumentOf(value);
        m_client->sendPacket(argument ? osc::Message(address, {*argument}) : osc::Message(address, {}));
    } else if (const auto message = osc::Message::messageWithString(address)) {
        m_client->sendPacket(*message);
    }
}

void OSCController::sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &values)
{
    // A control that sends no value (a transport button) sends its address text, which may carry
    // arguments of its own: it is read as a whole message, never sent as an address with spaces.
    if (values.isEmpty())
        sendOSCMessageWithAddressPattern(address, QVariant());
    else if (m_client)
        m_client->sendPacket(osc::Message(address, values));
}

void OSCController::setVal(const QVariant &value, const QString &address)
{
    if (m_listener)
        m_listener->setVal(value, address);
    Q_EMIT logLine(logLineFor(value, address));
}

QString OSCController::logLineFor(const QVariant &value, const QString &address)
{
    return QStringLiteral("%1 %2").arg(address).arg(value.toDouble(), 0, 'f', 6);
}

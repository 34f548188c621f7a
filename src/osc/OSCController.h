#pragma once

#include "osc/oscServerDelegate.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

class OSCClient;
class OSCServer;
class UserDefaults;

// Sets up the application's OSC endpoints from the "OSC" preference and is the server's
// message delegate: each incoming value goes on to the listener (the owner of the value
// cells) and, as a log line, to whoever shows the log.
class OSCController : public QObject, public oscServerDelegate {
    Q_OBJECT
public:
    // Neither is owned; the listener may be null.
    OSCController(UserDefaults &defaults, oscServerDelegate *listener, QObject *parent = nullptr);
    ~OSCController() override;

    // Creates the server and the client anew; they run only when "active" is set.
    void setupOSC();
    OSCServer *server() const { return m_server.get(); }
    OSCClient *client() const { return m_client.get(); }

    // Without a value (an invalid QVariant) the address text is read as a whole message.
    void sendOSCMessageWithAddressPattern(const QString &address, const QVariant &value);
    // No values: as without a value above.
    void sendOSCMessageWithAddressPattern(const QString &address, const QVariantList &values);

    void setVal(const QVariant &value, const QString &address) override;
    static QString logLineFor(const QVariant &value, const QString &address);

Q_SIGNALS:
    void logLine(const QString &line);

private:
    UserDefaults &m_defaults;
    oscServerDelegate *m_listener;
    std::unique_ptr<OSCServer> m_server;
    std::unique_ptr<OSCClient> m_client;
};

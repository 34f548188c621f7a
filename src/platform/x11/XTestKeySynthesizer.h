#pragma once

#include "controls/KeySynthesizer.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Posts keys through the XTEST extension on a connection of its own, so the events reach the
// focused window exactly as hardware key events would.
class XTestKeySynthesizer : public KeySynthesizer {
public:
    // An empty display name means $DISPLAY. The connection is opened at the first event and
    // again after a failure, so a display that appears later is used.
    explicit XTestKeySynthesizer(QByteArray displayName = {});
    ~XTestKeySynthesizer() override;

    bool postEscape(bool keyDown) override;
    QString errorString() const override { return m_errorString; }

private:
    struct Connection;

    bool connect();
    bool fail(const QString &call, const QString &reason);

    QByteArray m_displayName;
    std::unique_ptr<Connection> m_connection;
    QString m_errorString;
};

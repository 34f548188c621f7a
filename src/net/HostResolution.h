#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

namespace net {

// Turns the host and interface texts of the settings into addresses without a name lookup
// where none is needed.
class HostResolution {
public:
    // An address literal or "localhost"; anything else needs a lookup.
    static std::optional<QHostAddress> literalAddress(const QString &host);
    // An empty interface means every interface; otherwise an address literal, "localhost" or
    // the name of a network interface (its first address).
    static std::optional<QHostAddress> interfaceAddress(const QString &interface);
    // A peer of a dual-stack socket shows as ::ffff:a.b.c.d; people and peers know a.b.c.d.
    static QString hostText(const QHostAddress &address);
};

} // namespace net

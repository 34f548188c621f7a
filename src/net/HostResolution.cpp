#include "net/HostResolution.h"

#include <QNetworkInterface>

namespace net {

std::optional<QHostAddress> HostResolution::literalAddress(const QString &host)
{
    // Mapped by hand: a lookup of "localhost" may give ::1 first, which peers bound to
    // IPv4 only never see.
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return QHostAddress(QHostAddress::LocalHost);
    QHostAddress address;
    if (address.setAddress(host))
        return address;
    return std::nullopt;
}

std::optional<QHostAddress> HostResolution::interfaceAddress(const QString &interface)
{
    if (interface.isEmpty())
        return QHostAddress(QHostAddress::Any);
    if (const auto address = literalAddress(interface))
        return address;
    const QNetworkInterface named = QNetworkInterface::interfaceFromName(interface);
    const auto entries = named.addressEntries();
    if (entries.isEmpty())
        return std::nullopt;
    return entries.first().ip();
}

QString HostResolution::hostText(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(ipv4).toString() : address.toString();
}

} // namespace net

#include "platform/reachable_host.h"

#include <QNetworkInterface>

namespace vexa {

namespace {

QString firstNetworkAddress() {
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
            return a.toString();
    return QStringLiteral("localhost");
}

} // namespace

QString reachableHost(const QHostAddress& bound) {
    const bool everyInterface = bound == QHostAddress::Any || bound == QHostAddress::AnyIPv4 ||
                                bound == QHostAddress::AnyIPv6;
    QString host = everyInterface ? firstNetworkAddress() : bound.toString();
    if (host.contains(':')) host = '[' + host + ']';
    return host;
}

} // namespace vexa

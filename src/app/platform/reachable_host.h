#pragma once

#include <QHostAddress>
#include <QString>

namespace vexa {

// The host a client on the track's network connects to, for a server listening on `bound`: the
// computer's first network address when it listens on every interface ("localhost" without
// one), an IPv6 address in brackets.
QString reachableHost(const QHostAddress& bound);

} // namespace vexa

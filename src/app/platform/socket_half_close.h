#pragma once

#include <QtGlobal>

namespace vexa {

// Ends the sending side of a connected socket: the peer reads what was sent, then the end of
// the stream, while the socket can still read what the peer sends. A connection closed whole
// with unread bytes in it is reset instead, and the peer may lose what it had not read yet.
void shutDownSending(qintptr socketDescriptor);

} // namespace vexa

#pragma once

#include <QtGlobal>

namespace vexa {

// What Qt's sockets do not offer, on the socket's own descriptor.

// Ends the sending side of a connected socket: the peer reads what was sent, then the end of
// the stream, while the socket can still read what the peer sends. A connection closed whole
// with unread bytes in it is reset instead, and the peer may lose what it had not read yet.
void shutDownSending(qintptr socketDescriptor);

// Sends what the system takes of `size` bytes at once, without waiting and without a signal
// for a broken connection; the number of bytes taken, 0 when none (the connection full or
// broken: the caller's socket finds out which).
qint64 sendNow(qintptr socketDescriptor, const char* data, qint64 size);

} // namespace vexa

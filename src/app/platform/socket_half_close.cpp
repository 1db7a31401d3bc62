#include "platform/socket_half_close.h"

#if defined(_WIN32)
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace vexa {

void shutDownSending(qintptr socketDescriptor) {
    if (socketDescriptor < 0) return;
#if defined(_WIN32)
    ::shutdown(static_cast<SOCKET>(socketDescriptor), SD_SEND);
#else
    ::shutdown(static_cast<int>(socketDescriptor), SHUT_WR);
#endif
}

} // namespace vexa

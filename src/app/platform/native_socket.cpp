#include "platform/native_socket.h"

#include <algorithm>
#include <climits>

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

qint64 sendNow(qintptr socketDescriptor, const char* data, qint64 size) {
    if (socketDescriptor < 0 || size <= 0) return 0;
    const int n = static_cast<int>(std::min<qint64>(size, INT_MAX));
#if defined(_WIN32)
    const int sent = ::send(static_cast<SOCKET>(socketDescriptor), data, n, 0);
#else
    const auto sent = ::send(static_cast<int>(socketDescriptor), data, static_cast<size_t>(n),
                             MSG_NOSIGNAL | MSG_DONTWAIT);
#endif
    return sent > 0 ? static_cast<qint64>(sent) : 0;
}

} // namespace vexa

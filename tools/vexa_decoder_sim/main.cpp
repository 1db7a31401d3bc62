// vexa-decoder-sim: a simulated AMB decoder. It listens for the race program on a loopback TCP
// port (AMBrc) and/or on a pseudo-terminal that stands in for a serial port (every dialect),
// prints where it can be reached, answers the AMBrc commands and drives cars over its loop.

#include "sim_decoder.h"
#include "sim_options.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

using namespace vexa::sim;

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
    stopRequested = 1;
}

double nowSeconds() {
    return static_cast<double>(monotonicNanoseconds()) / 1e9;
}

void setNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
}

// Writes what the peer takes now; a peer that does not read loses what does not fit.
void send(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

int listenOnLoopback(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    setNonBlocking(fd);
    return fd;
}

int boundPort(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimOptions> parsed = parseSimOptions(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "vexa-decoder-sim: %s\n%s", error.c_str(), SimUsage);
        return 2;
    }
    const SimOptions& options = *parsed;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    const double started = nowSeconds();
    SimDecoder decoder(options.decoder, started);
    const bool clockRecords =
        options.decoder.dialect == Dialect::System20 || options.decoder.dialect == Dialect::Ex20;

    int listener = -1;
    if (options.tcpPort >= 0) {
        listener = listenOnLoopback(options.tcpPort);
        if (listener < 0) {
            std::fprintf(stderr, "vexa-decoder-sim: cannot listen on 127.0.0.1:%d\n",
                         options.tcpPort);
            return 1;
        }
        std::printf("tcp 127.0.0.1:%d\n", boundPort(listener));
    }

    int master = -1;
    if (options.pty) {
        int slave = -1;
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
            std::perror("vexa-decoder-sim: openpty");
            return 1;
        }
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        close(slave); // the race program opens the device itself
        setNonBlocking(master);
        std::printf("pty %s\n", name);
    }

    std::vector<int> clients;
    bool ptyInUse = false;
    char buffer[4096];
    while (!stopRequested) {
        const double now = nowSeconds();
        if (options.duration > 0 && now - started >= options.duration) break;

        std::vector<pollfd> fds;
        if (listener >= 0) fds.push_back({listener, POLLIN, 0});
        for (int c : clients) fds.push_back({c, POLLIN, 0});
        if (master >= 0) fds.push_back({master, POLLIN, 0});
        poll(fds.data(), fds.size(), 5);

        const double t = nowSeconds();
        size_t k = 0;
        if (listener >= 0) {
            if (fds[k++].revents & POLLIN) {
                const int c = accept(listener, nullptr, nullptr);
                if (c >= 0) {
                    setNonBlocking(c);
                    const int yes = 1;
                    setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
                    clients.push_back(c);
                    if (!options.quiet) std::printf("client connected\n");
                }
            }
        }
        std::vector<int> open;
        for (int c : clients) {
            const short events = fds[k++].revents;
            bool keep = true;
            if (events & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = read(c, buffer, sizeof buffer);
                if (n > 0)
                    send(c, decoder.receive(std::string_view(buffer, static_cast<size_t>(n)), t));
                else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    keep = false;
            }
            if (keep) {
                open.push_back(c);
            } else {
                close(c);
                if (!options.quiet) std::printf("client disconnected\n");
            }
        }
        clients.swap(open);
        if (master >= 0) {
            const short events = fds[k++].revents;
            // The device is in use while its other end is open; opening it stands for the
            // race program switching the decoder on.
            const bool inUse = !(events & POLLHUP);
            if (inUse && !ptyInUse) {
                if (clockRecords) decoder.restartClock(t);
                if (!options.quiet) std::printf("port opened\n");
            } else if (!inUse && ptyInUse && !options.quiet) {
                std::printf("port closed\n");
            }
            ptyInUse = inUse;
            if (inUse && (events & POLLIN)) {
                const ssize_t n = read(master, buffer, sizeof buffer);
                if (n > 0)
                    send(master,
                         decoder.receive(std::string_view(buffer, static_cast<size_t>(n)), t));
            }
            if (!inUse) usleep(5000); // a hung-up device reports at once; do not spin
        }
        for (const std::string& line : decoder.takeLog())
            if (!options.quiet) std::printf("%s\n", line.c_str());

        const std::string records = decoder.due(nowSeconds());
        if (records.empty()) continue;
        for (int c : clients) send(c, records);
        if (master >= 0 && ptyInUse) send(master, records);
    }
    for (int c : clients) close(c);
    if (listener >= 0) close(listener);
    if (master >= 0) close(master);
    return 0;
}

// vexa-decoder-sim: a simulated AMB decoder. It listens for the race program on a loopback TCP
// port (AMBrc, P3) and/or on a pseudo-terminal that stands in for a serial port (the text
// dialects), prints where it can be reached, answers the decoder's commands and drives cars over
// its loop. On request it drops its TCP connections, to rehearse a reconnect.

#include "base/version.h"
#include "sim_decoder.h"
#include "sim_options.h"
#include "sim_p3_decoder.h"

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
#include <ctime>
#include <memory>
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

// The computer's time of day in microseconds since 1970: where a P3 decoder's clock starts.
uint64_t timeOfDayMicros() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000 + static_cast<uint64_t>(ts.tv_nsec) / 1000;
}

std::unique_ptr<SimDevice> makeDevice(const SimSettings& settings, double now) {
    if (settings.dialect == Dialect::P3)
        return std::make_unique<SimP3Decoder>(settings, now, timeOfDayMicros());
    return std::make_unique<SimDecoder>(settings, now);
}

// Commands typed on standard input, one a line.
class CommandInput {
  public:
    // -1 once standard input has ended.
    int fd() const { return open_ ? 0 : -1; }
    // Reads what is there; calls `onLine` for each complete line.
    template <class OnLine> void read(OnLine&& onLine) {
        char buffer[256];
        const ssize_t n = ::read(0, buffer, sizeof buffer);
        if (n <= 0) {
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) open_ = false;
            return;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                onLine(line_);
                line_.clear();
            } else if (buffer[i] != '\r' && line_.size() < 256) {
                line_.push_back(buffer[i]);
            }
        }
    }

  private:
    bool open_ = true;
    std::string line_;
};

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimOptions> parsed = parseSimOptions(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "vexa-decoder-sim: %s; see vexa-decoder-sim --help\n", error.c_str());
        return 2;
    }
    const SimOptions& options = *parsed;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGTTIN, SIG_IGN); // started in the background: standard input just ends

    if (options.help) {
        std::printf("%s\n%s", SimUsage, SimHelp);
        return 0;
    }
    if (options.version) {
        std::printf("vexa-decoder-sim %s\n", vexa::ProgramVersion);
        return 0;
    }
    const double started = nowSeconds();
    const std::unique_ptr<SimDevice> decoder = makeDevice(options.decoder, started);

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
    CommandInput commands;
    double refuseUntil = 0.0; // after a drop, connections are refused until then
    double muteUntil = 0.0;   // after a mute, nothing is read or sent on TCP until then
    double nextDrop = options.dropEvery > 0 ? started + options.dropEvery : 0.0;
    auto dropConnections = [&](double now) {
        for (int c : clients) {
            close(c);
            decoder->linkClosed(c);
        }
        if (!options.quiet)
            std::printf("connections dropped (%zu), refused for %g s\n", clients.size(),
                        options.down);
        clients.clear();
        refuseUntil = now + options.down;
    };
    while (!stopRequested) {
        const double now = nowSeconds();
        if (options.duration > 0 && now - started >= options.duration) break;
        if (nextDrop > 0 && now >= nextDrop) {
            dropConnections(now);
            nextDrop = now + options.dropEvery;
        }

        const bool muted = now < muteUntil;
        // The connections looked at in this round. Muted, none is: what a client sends waits in
        // its socket.
        const std::vector<int> polled = muted ? std::vector<int>{} : clients;
        std::vector<pollfd> fds;
        if (listener >= 0) fds.push_back({listener, POLLIN, 0});
        for (int c : polled) fds.push_back({c, POLLIN, 0});
        if (master >= 0) fds.push_back({master, POLLIN, 0});
        const size_t input = fds.size();
        if (commands.fd() >= 0) fds.push_back({commands.fd(), POLLIN, 0});
        poll(fds.data(), fds.size(), 5);

        const double t = nowSeconds();
        size_t k = 0;
        if (listener >= 0) {
            if (fds[k++].revents & POLLIN) {
                const int c = accept(listener, nullptr, nullptr);
                if (c >= 0 && t < refuseUntil) {
                    close(c);
                    if (!options.quiet) std::printf("connection refused\n");
                } else if (c >= 0) {
                    setNonBlocking(c);
                    const int yes = 1;
                    setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
                    clients.push_back(c);
                    if (!options.quiet) std::printf("client connected\n");
                }
            }
        }
        // Connections accepted just now, and all while muted, are kept as they are.
        std::vector<int> open(clients.begin() + static_cast<std::ptrdiff_t>(polled.size()),
                              clients.end());
        for (int c : polled) {
            const short events = fds[k++].revents;
            bool keep = true;
            if (events & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = read(c, buffer, sizeof buffer);
                if (n > 0)
                    send(c,
                         decoder->receive(c, std::string_view(buffer, static_cast<size_t>(n)), t));
                else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    keep = false;
            }
            if (keep) {
                open.push_back(c);
            } else {
                close(c);
                decoder->linkClosed(c);
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
                decoder->switchedOn(t);
                if (!options.quiet) std::printf("port opened\n");
            } else if (!inUse && ptyInUse && !options.quiet) {
                std::printf("port closed\n");
            }
            ptyInUse = inUse;
            if (inUse && (events & POLLIN)) {
                const ssize_t n = read(master, buffer, sizeof buffer);
                if (n > 0)
                    send(master, decoder->receive(
                                     master, std::string_view(buffer, static_cast<size_t>(n)), t));
            }
            if (!inUse) usleep(5000); // a hung-up device reports at once; do not spin
        }
        if (input < fds.size() && (fds[input].revents & (POLLIN | POLLHUP | POLLERR))) {
            commands.read([&](const std::string& line) {
                if (line == "drop") {
                    dropConnections(t);
                } else if (line == "mute") {
                    muteUntil = t + options.down;
                    if (!options.quiet) std::printf("mute for %g s\n", options.down);
                } else if (!line.empty()) {
                    std::printf("unknown command %s (drop, mute)\n", line.c_str());
                }
            });
        }
        for (const std::string& line : decoder->takeLog())
            if (!options.quiet) std::printf("%s\n", line.c_str());

        const std::string records = decoder->due(nowSeconds());
        if (records.empty()) continue;
        if (!muted)
            for (int c : clients) send(c, records);
        if (master >= 0 && ptyInUse) send(master, records);
    }
    for (int c : clients) close(c);
    if (listener >= 0) close(listener);
    if (master >= 0) close(master);
    return 0;
}

#include "live_output.h"

#include "live/live_feed.h"
#include "platform/live_server.h"
#include "platform/scoreboard_server.h"
#include "session/live_results.h"
#include "session/race_view_bridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ostream>

namespace vexa::cli {

namespace {

// "ADDRESS:PORT" split at its last colon; brackets around an IPv6 address are dropped.
bool splitAddress(const std::string& text, QString& address, int& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos) return false;
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    bool ok = false;
    port = QString::fromStdString(text.substr(colon + 1)).toInt(&ok);
    address = QString::fromStdString(host);
    return ok && port >= 0 && port <= 65535;
}

// The event loop of a command-line run, made when the run has none.
std::unique_ptr<QCoreApplication> eventLoopApplication() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 1;
    static char name[] = "vexa-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

class QtHeadlessLive : public HeadlessLive {
  public:
    QtHeadlessLive(double speed, const LiveSources& sources)
        : app_(eventLoopApplication()), speed_(speed), feed_(sources), server_(feed_),
          scoreboard_(ScoreboardSources{sources.settings, sources.race}) {
        followRace(server_, bridge_);
        followRace(scoreboard_, bridge_);
    }

    LiveServer& server() { return server_; }
    ScoreboardServer& scoreboard() { return scoreboard_; }

    RaceView& view() override { return bridge_; }

    void waitUntil(int64_t ms) override {
        if (!clock_.isValid()) clock_.start();
        const auto realMs = static_cast<int64_t>(std::ceil(static_cast<double>(ms) / speed_));
        const int64_t wait = realMs - clock_.elapsed();
        if (wait <= 0) {
            QCoreApplication::processEvents();
            return;
        }
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min<int64_t>(wait, 24LL * 3600 * 1000)),
                           Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }

    void flush() override { QCoreApplication::processEvents(); }

  private:
    std::unique_ptr<QCoreApplication> app_; // first made, last gone
    double speed_;
    LiveFeed feed_;
    LiveServer server_;
    ScoreboardServer scoreboard_;
    RaceViewBridge bridge_;
    QElapsedTimer clock_;
};

} // namespace

std::unique_ptr<HeadlessLive> startHeadlessLive(const HeadlessLiveAddresses& addresses,
                                                double speed, const LiveSources& sources,
                                                std::ostream& err) {
    QString liveAddress, scoreboardAddress;
    int livePort = 0, scoreboardPort = 0;
    if (!addresses.live.empty() && !splitAddress(addresses.live, liveAddress, livePort)) {
        err << "vexa-cli race: --live needs ADDRESS:PORT, for example 127.0.0.1:8080\n";
        return nullptr;
    }
    if (!addresses.scoreboard.empty() &&
        !splitAddress(addresses.scoreboard, scoreboardAddress, scoreboardPort)) {
        err << "vexa-cli race: --scoreboard needs ADDRESS:PORT, for example 127.0.0.1:50000\n";
        return nullptr;
    }
    auto live = std::make_unique<QtHeadlessLive>(speed, sources);
    if (!addresses.live.empty()) {
        const Outcome started = live->server().start(liveAddress, livePort);
        if (!started) {
            err << "vexa-cli race: " << started.message << "\n";
            return nullptr;
        }
        err << "vexa-cli race: live results on " << live->server().pageAddress().toStdString()
            << std::endl;
    }
    if (!addresses.scoreboard.empty()) {
        const Outcome started = live->scoreboard().start(scoreboardAddress, scoreboardPort);
        if (!started) {
            err << "vexa-cli race: " << started.message << "\n";
            return nullptr;
        }
        err << "vexa-cli race: scoreboard feed on "
            << live->scoreboard().feedAddress().toStdString() << std::endl;
    }
    return live;
}

} // namespace vexa::cli

#include "platform/live_server.h"

#include "live/live_feed.h"
#include "platform/latin1.h"
#include "platform/reachable_host.h"

#include <QTimer>

namespace vexa {

namespace {

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LiveServer::LiveServer(LiveFeed& feed, QObject* parent, const LiveLimits& limits, Serving serving)
    : QObject(parent), feed_(feed), serving_(serving),
      service_(std::make_unique<LiveService>(handOver_, counters_, limits)) {
    thread_.setObjectName(QStringLiteral("live results"));
    connect(this, &LiveServer::raceReady, service_.get(), &LiveService::takeRace);
    connect(this, &LiveServer::provided, service_.get(), &LiveService::provide);
    connect(service_.get(), &LiveService::wanted, this, &LiveServer::provide);
    connect(service_.get(), &LiveService::raceWritten, this, &LiveServer::raceSent);
}

LiveServer::~LiveServer() {
    QThread* home = thread();
    onServiceThread([this, home] { service_->stop(home); });
    thread_.quit();
    thread_.wait();
}

void LiveServer::onServiceThread(const std::function<void()>& work) {
    if (service_->thread() == QThread::currentThread())
        work();
    else
        QMetaObject::invokeMethod(service_.get(), work, Qt::BlockingQueuedConnection);
}

Outcome LiveServer::start(const QString& address, int port) {
    QHostAddress host(QHostAddress::Any);
    const QString wanted = address.trimmed();
    if (!wanted.isEmpty() && !host.setAddress(wanted))
        return Outcome::failure("Live results are not served: \"" + fromQt(wanted) +
                                "\" is not a network address");
    if (listening_) return Outcome::success();
    if (serving_ == Serving::OwnThread && !thread_.isRunning()) {
        service_->moveToThread(&thread_);
        thread_.start();
    }
    // The race as it stands goes first, so that the first client finds it.
    pushRace();
    bool ok = false;
    QString error;
    if (port >= 0 && port <= 65535)
        onServiceThread([&] {
            ok = service_->listen(host, static_cast<quint16>(port), error);
            address_ = service_->serverAddress();
            port_ = service_->serverPort();
        });
    if (!ok)
        return Outcome::failure("Live results are not served: port " + std::to_string(port) +
                                " cannot be opened (" + fromQt(error) + ")");
    listening_ = true;
    return Outcome::success();
}

QString LiveServer::pageAddress() const {
    if (!listening()) return {};
    return QStringLiteral("http://%1:%2/").arg(reachableHost(address_)).arg(port());
}

void LiveServer::raceChanged() {
    if (!listening()) return; // nothing is followed for nobody
    feed_.raceChanged();
    handOver_.changed();
    if (pushPending_) return;
    pushPending_ = true;
    QTimer::singleShot(0, this, &LiveServer::pushRace);
}

void LiveServer::pushRace() {
    pushPending_ = false;
    auto snapshot = std::make_shared<LiveRaceSnapshot>();
    const std::string json = feed_.raceJson();
    snapshot->json = bytes(json);
    snapshot->event = bytes(serverSentEvent("race", json));
    snapshot->htmlFolder = feed_.htmlFolder();
    snapshot->change = handOver_.changes();
    if (handOver_.put(std::move(snapshot))) emit raceReady();
}

void LiveServer::provide(int feed) {
    std::optional<std::string> json;
    if (feed == LiveService::ProgrammeFeed)
        json = feed_.programmeJson();
    else
        json = feed_.resultsJson(std::to_string(feed));
    emit provided(feed, json ? bytes(*json) : QByteArray("{}"));
}

} // namespace vexa

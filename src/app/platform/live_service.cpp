#include "platform/live_service.h"

#include "live_page.h"
#include "platform/live_client.h"
#include "platform/live_connections.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace vexa {

namespace {

constexpr qint64 MaxServedFileBytes = 16 * 1024 * 1024;
constexpr int CountingMs = 100;

QByteArray contentType(const QString& name) {
    const QString lower = name.toLower();
    if (lower.endsWith(".html") || lower.endsWith(".htm"))
        return "text/html; charset=iso-8859-1"; // the event's pages are Latin-1
    if (lower.endsWith(".css")) return "text/css";
    if (lower.endsWith(".png")) return "image/png";
    if (lower.endsWith(".jpg") || lower.endsWith(".jpeg")) return "image/jpeg";
    if (lower.endsWith(".gif")) return "image/gif";
    if (lower.endsWith(".txt")) return "text/plain; charset=iso-8859-1";
    return "application/octet-stream";
}

} // namespace

LiveService::LiveService(LiveHandOver& handOver, LiveCounters& counters, const LiveLimits& limits)
    : handOver_(handOver), counters_(counters), connections_(new LiveConnections(limits, this)),
      keepAlive_(this), counting_(this) {
    connections_->onRequest(
        [this](LiveClient& client, const LiveRequest& request) { answer(client, request); });
    connections_->onPlacesChanged([this](int clients) { counters_.clients = clients; });
    keepAlive_.setInterval(KeepAliveMs);
    connect(&keepAlive_, &QTimer::timeout, this, [this] { writeToStreams(": still here\n\n"); });
    counting_.setInterval(CountingMs);
    connect(&counting_, &QTimer::timeout, this, &LiveService::countHeld);
}

LiveService::~LiveService() = default;

QByteArray LiveService::livePage() {
    return QByteArray::fromRawData(LivePageHtml, sizeof LivePageHtml - 1);
}

bool LiveService::listen(const QHostAddress& address, quint16 port, QString& error) {
    if (!connections_->listen(address, port)) {
        error = connections_->errorString();
        return false;
    }
    keepAlive_.start();
    counting_.start();
    return true;
}

QHostAddress LiveService::serverAddress() const {
    return connections_->serverAddress();
}

quint16 LiveService::serverPort() const {
    return connections_->serverPort();
}

void LiveService::stop(QThread* home) {
    keepAlive_.stop();
    counting_.stop();
    connections_->closeAll();
    streams_.clear();
    counters_.clients = 0;
    counters_.streams = 0;
    if (home != thread()) moveToThread(home);
}

void LiveService::takeRace() {
    race_ = handOver_.take();
    if (!race_) return;
    writeToStreams(race_->event);
    if (!raceBehind()) {
        const std::vector<QPointer<LiveClient>> waiting = std::move(raceWaiting_);
        raceWaiting_.clear();
        for (const QPointer<LiveClient>& client : waiting)
            if (client) client->answer(200, "application/json", race_->json);
    }
    emit raceWritten();
}

bool LiveService::raceBehind() const {
    return !race_ || race_->change < handOver_.changes();
}

// Every stream gets the message; one whose client cannot keep up is dropped, so that it holds
// neither memory nor the others back.
void LiveService::writeToStreams(const QByteArray& message) {
    std::erase_if(streams_,
                  [&](const QPointer<LiveClient>& s) { return !s || !s->sendEvent(message); });
    counters_.streams = static_cast<int>(streams_.size());
}

void LiveService::answer(LiveClient& client, const LiveRequest& request) {
    using Target = LiveRoute::Target;
    const LiveRoute route = routeLiveRequest(request);
    switch (route.target) {
    case Target::Page:
        client.answer(200, "text/html; charset=utf-8", livePage());
        break;
    case Target::Race:
        // A request that comes after a change of the race gets the race with the change: it
        // waits for the snapshot on its way.
        if (raceBehind())
            raceWaiting_.emplace_back(&client);
        else
            client.answer(200, "application/json", race_->json);
        break;
    case Target::Programme:
        sendFeed(client, ProgrammeFeed);
        break;
    case Target::Results:
        sendFeed(client, route.round);
        break;
    case Target::Events:
        openStream(client);
        break;
    case Target::HtmlFile:
        sendHtmlFile(client, route.file);
        break;
    case Target::NotFound:
        client.answer(404, "text/plain", "Not found\n");
        break;
    case Target::Bad:
        client.refuse(400, QByteArray::fromStdString(route.refusal) + '\n');
        break;
    }
}

void LiveService::openStream(LiveClient& client) {
    client.startStream(race_ ? race_->event : QByteArray());
    streams_.emplace_back(&client);
    counters_.streams = static_cast<int>(streams_.size());
}

void LiveService::sendFeed(LiveClient& client, int feed) {
    Feed& f = feeds_[static_cast<size_t>(feed)];
    if (f.madeMs >= 0 && liveServerNowMs() - f.madeMs < FreshFeedMs) {
        client.answer(200, "application/json", f.json);
        return;
    }
    f.waiting.emplace_back(&client);
    if (f.asked) return;
    f.asked = true;
    emit wanted(feed); // answered by provide(), now or later
}

void LiveService::provide(int feed, const QByteArray& json) {
    if (feed < 0 || feed >= static_cast<int>(feeds_.size())) return;
    Feed& f = feeds_[static_cast<size_t>(feed)];
    f.json = json;
    f.madeMs = liveServerNowMs();
    f.asked = false;
    const std::vector<QPointer<LiveClient>> waiting = std::move(f.waiting);
    f.waiting.clear();
    for (const QPointer<LiveClient>& client : waiting)
        if (client) client->answer(200, "application/json", json);
}

void LiveService::sendHtmlFile(LiveClient& client, const std::string& name) {
    const auto file = race_ && !race_->htmlFolder.empty() ? htmlFolderFile(race_->htmlFolder, name)
                                                          : std::nullopt;
    if (!file) {
        client.refuse(400, "That path is not served\n");
        return;
    }
    const QString local = QString::fromStdString(file->string());
    auto page = std::make_unique<QFile>(local);
    if (!QFileInfo(local).isFile() || page->size() > MaxServedFileBytes ||
        !page->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        client.answer(404, "text/plain", "Not found\n");
        return;
    }
    client.answerFile(contentType(QString::fromStdString(name)), std::move(page));
}

void LiveService::countHeld() {
    const qint64 held = connections_->heldBytes();
    counters_.heldBytes = held;
    if (held > counters_.peakHeldBytes) counters_.peakHeldBytes = held;
}

} // namespace vexa

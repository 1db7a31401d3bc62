// `vexa-cli race --live` in a real browser: headless Chromium opens the live page on loopback
// while the race runs faster than real time, and the page it dumps shows the leader.
#include "files/file_io.h"
#include "files/settings_file.h"
#include "program/event_store.h"
#include "program/program.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace vexa;

namespace {

// The body of GET `target`, or empty when nothing came within two seconds.
QByteArray httpGet(quint16 port, const QByteArray& target) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(2000)) return {};
    socket.write("GET " + target + " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n");
    QByteArray in;
    while (socket.waitForReadyRead(2000)) in += socket.readAll();
    const qsizetype end = in.indexOf("\r\n\r\n");
    return end < 0 ? QByteArray() : in.mid(end + 4);
}

class VexaCliLive : public ::testing::Test {
  protected:
    void SetUp() override {
        chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (chromium.isEmpty())
            GTEST_SKIP() << "chromium is not installed (Debian package chromium)";
        program.home.root = dir.path();
        ProgSettings& s = program.settings;
        s.classes[1].name = "Touring";
        s.classes[1].qualMinutes = 4; // half a minute of real time at --speed 8
        s.classes[1].tenSecCountdown = false;
        s.classes[1].readStartOrder = false;
        s.heatMass = true;
        for (int id = 1; id <= 3; ++id) {
            program.event.cpts[id].name = "Driver " + std::to_string(id);
            program.event.cpts[id].classno = 1;
            program.event.heats.setSlotText(1, id, std::to_string(id));
        }
        ASSERT_TRUE(saveSettingsFile(program.home.iniFile(), program.settings).ok);
        ASSERT_TRUE(createEvent(program, "Club Day").ok);
    }

    void TearDown() override {
        if (cli.state() != QProcess::NotRunning) {
            cli.kill();
            cli.waitForFinished(5000);
        }
    }

    int argc = 1;
    char name[16] = "live-test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    vexa::test::TempDir dir;
    Program program;
    QString chromium;
    QProcess cli;
};

} // namespace

TEST_F(VexaCliLive, ChromiumShowsTheLeaderOfARunningRace) {
    // Car 2 laps every 10 s, car 1 every 12 s, car 3 every 15 s, for the whole four minutes.
    std::string script = "0.5 start\n";
    for (int t = 10; t <= 250; ++t) {
        if (t % 10 == 0) script += std::to_string(t) + " key 2\n";
        if (t % 12 == 0) script += std::to_string(t) + " key 1\n";
        if (t % 15 == 0) script += std::to_string(t) + " key 3\n";
    }
    const auto scriptFile = dir.path() / "race.txt";
    ASSERT_TRUE(writeFileAtomic(scriptFile, script).ok);

    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(VEXA_CLI_PATH),
              {"race", "--home", QString::fromStdString(dir.path().string()), "--event", "Club Day",
               "--script", QString::fromStdString(scriptFile.string()), "--quiet", "--live",
               "127.0.0.1:0", "--speed", "8"});
    ASSERT_TRUE(cli.waitForStarted(5000));
    QByteArray said;
    QRegularExpressionMatch where;
    const QRegularExpression address(QStringLiteral("live results on (http://127.0.0.1:(\\d+)/)"));
    QElapsedTimer waited;
    waited.start();
    while (!(where = address.match(QString::fromLatin1(said))).hasMatch() &&
           waited.elapsed() < 10000 && cli.waitForReadyRead(1000))
        said += cli.readAll();
    ASSERT_TRUE(where.hasMatch()) << said.toStdString();
    const QString page = where.captured(1);
    const auto port = static_cast<quint16>(where.captured(2).toUInt());

    // Wait (in real time) until car 2 leads with two laps or more.
    waited.restart();
    int lapsWhenOpened = 0;
    QByteArray race;
    while (waited.elapsed() < 30000) {
        race = httpGet(port, "/api/race");
        const QJsonArray rows = QJsonDocument::fromJson(race).object().value("rows").toArray();
        const QJsonObject first = rows.isEmpty() ? QJsonObject() : rows.first().toObject();
        lapsWhenOpened = first.value("laps").toString().toInt();
        if (first.value("name").toString() == QStringLiteral("Driver 2") && lapsWhenOpened >= 2)
            break;
        QThread::msleep(50);
    }
    ASSERT_GE(lapsWhenOpened, 2) << race.toStdString();

    // The browser opens the page now and follows the race through the event stream; its dump
    // comes once the run has ended and closed the stream.
    QProcess browser;
    browser.start(chromium,
                  {"--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                   "--no-first-run", "--virtual-time-budget=3000", "--dump-dom", page});
    ASSERT_TRUE(browser.waitForFinished(120000)) << "chromium did not finish";
    const QByteArray dom = browser.readAllStandardOutput();
    const qsizetype leader = dom.indexOf("<tr id=\"leader\">");
    ASSERT_GE(leader, 0) << dom.toStdString() << browser.readAllStandardError().toStdString();
    const QString row = QString::fromUtf8(dom.mid(leader, dom.indexOf("</tr>", leader) - leader));
    QStringList cells; // Pos, Car, Name, Laps, ...
    for (const auto& cell : QRegularExpression(QStringLiteral(">([^<]*)</td>")).globalMatch(row))
        cells << cell.captured(1);
    ASSERT_GE(cells.size(), 4) << row.toStdString();
    EXPECT_EQ(cells[2], QStringLiteral("Driver 2"));
    // Car 2 kept lapping after the page opened: the page showed more laps than it found,
    // without being loaded again.
    EXPECT_GT(cells[3].toInt(), lapsWhenOpened) << row.toStdString();
    EXPECT_TRUE(dom.contains("Touring Heat# 1")) << dom.toStdString();
    EXPECT_TRUE(dom.contains("<li>Car 2 Driver 2: lap ")) << dom.toStdString(); // last passings
}

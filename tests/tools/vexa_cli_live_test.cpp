// `vexa-cli race --live` in a real browser: headless Chromium opens the live page on loopback
// while the race runs faster than real time, and the page it dumps shows the leader.
#include "files/file_io.h"
#include "program/event_store.h"
#include "program/program.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
        s.classes[1].qualMinutes = 2;
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
    // Car 2 laps every 10 s, car 1 every 12 s, car 3 every 15 s, for the whole two minutes.
    std::string script = "0.5 start\n";
    for (int t = 10; t <= 130; ++t) {
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
               "127.0.0.1:0", "--speed", "4"});
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

    // Wait (in real time) until car 2 has led for two laps.
    waited.restart();
    QByteArray race;
    while (!race.contains(R"("rows":[{"pos":"1","car":"2","name":"Driver 2","laps":"2")") &&
           waited.elapsed() < 30000) {
        QThread::msleep(100);
        race = httpGet(port, "/api/race");
    }
    ASSERT_TRUE(race.contains(R"("name":"Driver 2","laps":"2")")) << race.toStdString();

    // The page's script runs for up to three seconds of the browser's own time (its event
    // stream stays open, so the dump comes at the latest after eight seconds).
    const QStringList headless = {"--headless",
                                  "--no-sandbox",
                                  "--disable-gpu",
                                  "--disable-dev-shm-usage",
                                  "--no-first-run",
                                  "--hide-scrollbars",
                                  "--virtual-time-budget=3000",
                                  "--timeout=8000"};
    QProcess browser;
    browser.start(chromium, headless + QStringList{"--dump-dom", page});
    ASSERT_TRUE(browser.waitForFinished(60000)) << "chromium did not finish";
    const QByteArray dom = browser.readAllStandardOutput();
    const qsizetype leader = dom.indexOf("<tr id=\"leader\">");
    ASSERT_GE(leader, 0) << dom.toStdString() << browser.readAllStandardError().toStdString();
    const QByteArray row = dom.mid(leader, dom.indexOf("</tr>", leader) - leader);
    EXPECT_TRUE(row.contains(">Driver 2<")) << row.toStdString();
    EXPECT_TRUE(dom.contains("Touring Heat# 1")) << dom.toStdString();
    EXPECT_TRUE(dom.contains("<li>Car 2 Driver 2: lap ")) << dom.toStdString(); // last passings
}

#include "platform/mixer_feed.h"
#include "platform/qt_sound_out.h"
#include "race/announcer.h"
#include "race/sound_table.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace vexa;

namespace {
// A 16-bit mono WAV file at 22050 Hz of the samples.
QByteArray wav(const std::vector<int16_t>& samples) {
    const auto le = [](QByteArray& out, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.append(char((v >> (8 * i)) & 0xFF));
    };
    const auto dataBytes = uint32_t(samples.size() * 2);
    QByteArray out("RIFF");
    le(out, 36 + dataBytes, 4);
    out.append("WAVEfmt ");
    le(out, 16, 4);
    le(out, 1, 2);
    le(out, 1, 2);
    le(out, 22050, 4);
    le(out, 44100, 4);
    le(out, 2, 2);
    le(out, 16, 2);
    out.append("data");
    le(out, dataBytes, 4);
    for (int16_t s : samples) le(out, uint16_t(s), 2);
    return out;
}
} // namespace

// The mixer on the computer's sound device, and without one.
class QtSoundOutTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    std::filesystem::path sounds() const { return dir_.path().toStdString(); }
    void writeSound(const char* name, const std::vector<int16_t>& samples) {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wav(samples));
    }

  private slots:
    void feedWritesWholeFramesOfTheMix() {
        Mixer mixer({22050, 2});
        mixer.load(1, Pcm{{22050, 2}, {100, -100, 200, -200, 300, -300}});
        mixer.play(0, 1);
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        std::vector<int16_t> scratch;
        // Room for two frames and three bytes: only the two whole frames go.
        QCOMPARE(feedMixer(mixer, device, 11, scratch), qint64(8));
        QCOMPARE(feedMixer(mixer, device, 3, scratch), qint64(0));
        QCOMPARE(feedMixer(mixer, device, 8, scratch), qint64(8));
        std::vector<int16_t> written(8);
        QCOMPARE(device.data().size(), qsizetype(16));
        std::memcpy(written.data(), device.data().constData(), 16);
        QCOMPARE(written, (std::vector<int16_t>{100, -100, 200, -200, 300, -300, 0, 0}));
    }

    void loadsTheSoundTableFromTheSoundsFolder() {
        writeSound("two.wav", {1000, -1000, 1000});
        writeSound("forty.wav", {500, 500});
        QFile junk(dir_.filePath(QStringLiteral("carpass.wav")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a sound");
        junk.close();

        QtSoundOut sound;
        loadSoundTable(sound, sounds());
        QVERIFY(sound.mixer().loaded(2));
        QVERIFY(sound.mixer().loaded(22));
        QVERIFY(!sound.mixer().loaded(1));
        QVERIFY(!sound.mixer().loaded(Sound::CarPass));
    }

    void playsOnTheDeviceOrRunsWithoutSound() {
        writeSound("forty.wav", std::vector<int16_t>(2205, 3000));
        writeSound("two.wav", std::vector<int16_t>(2205, -3000));
        QtSoundOut sound;
        loadSoundTable(sound, sounds());
        const bool passBeeps = true;
        const Announcer announcer(sound, passBeeps);
        const Outcome opened = sound.open();

        if (QMediaDevices::defaultAudioOutput().isNull()) {
            QVERIFY(!opened);
            QCOMPARE(QString::fromStdString(opened.message),
                     QStringLiteral("No sound device was found: the program runs without spoken "
                                    "announcements and pass beeps."));
            QVERIFY(!sound.active());
            announcer.SpeakNumber(42);
            QVERIFY(!sound.mixer().playing());
            QVERIFY(sound.mixer().loaded(22));
            return;
        }
        // With a device the sound flows: the queue of "forty", "two" is played out.
        QVERIFY2(opened, opened.message.c_str());
        QVERIFY(sound.active());
        QVERIFY(sound.mixer().loaded(22));
        announcer.SpeakNumber(42);
        QCOMPARE(sound.mixer().waiting(Sound::SpeechChannel), size_t(2));
        QTRY_VERIFY_WITH_TIMEOUT(!sound.mixer().playing(), 5000);
    }
};

QTEST_MAIN(QtSoundOutTest)
#include "qt_sound_out_test.moc"

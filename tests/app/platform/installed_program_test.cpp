#include "platform/program_home_locator.h"
#include "platform/sound_maker.h"
#include "race/sound_table.h"
#include "support/app_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace vexa;

namespace {

// The sounds asked to be loaded, with whether the file was there at that moment.
class LoadRecorder : public SoundOut {
  public:
    struct Load {
        int slot;
        bool fileThere;
    };
    std::vector<Load> loads;

    void load(int slot, const std::filesystem::path& file) override {
        loads.push_back({slot, std::filesystem::exists(file)});
    }
    bool active() const override { return true; }
    void play(int, int) override {}

    bool loadedWithFile(int slot) const {
        for (const Load& l : loads)
            if (l.slot == slot && l.fileThere) return true;
        return false;
    }
};

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// An installed program: its home and its shared files, and the first start's sounds made by
// the shipped script beside the running program.
class InstalledProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path(const char* relative) const {
        return dir_.filePath(QString::fromLatin1(relative));
    }
    std::filesystem::path soundsDir() const { return path("home/sounds").toStdString(); }

  private slots:
    void homeOfAnInstalledProgramIsTheUsersDataFolder() {
        // The executable's folder is writable here (as /usr/bin is for root), and still the
        // installed program keeps out of it.
        writeFile(path("usr/share/vexa/make_sounds.sh"), "exit 0\n");
        QDir().mkpath(path("usr/bin"));
        const ProgramLocations installed =
            locateProgram({}, path("usr/bin"), path("user/.local/share/Vexa Free"));
        QCOMPARE(installed.home, path("user/.local/share/Vexa Free"));
        QVERIFY(QFileInfo(installed.home).isDir());
        QCOMPARE(installed.sharedData, path("usr/share/vexa"));
        QCOMPARE(installed.soundScript(), path("usr/share/vexa/make_sounds.sh"));
        QCOMPARE(installed.shippedFreqNames(), path("usr/share/vexa/vexa.qfq"));

        const ProgramLocations asked = locateProgram(path("club"), path("usr/bin"), path("user"));
        QCOMPARE(asked.home, path("club"));
        QCOMPARE(asked.sharedData, path("usr/share/vexa"));
    }

    void homeOfABuiltProgramIsItsWritableFolder() {
        QDir().mkpath(path("build/src/app"));
        const ProgramLocations built = locateProgram({}, path("build/src/app"), path("user"));
        QCOMPARE(built.home, path("build/src/app"));
        QVERIFY(built.sharedData.isEmpty());
        QVERIFY(built.soundScript().isEmpty());
        QVERIFY(built.shippedFreqNames().isEmpty());
    }

    void missingSoundsAreMadeAndThenLoaded() {
        writeFile(path("made.sh"), "mkdir -p \"$1\" && : > \"$1/start.wav\"\n");
        LoadRecorder sound;
        test::RecordingOperator op;
        SoundMaker maker(sound, op);
        QVERIFY(maker.makeMissing(path("made.sh"), soundsDir()));
        QVERIFY(maker.running());
        QVERIFY(!maker.makeMissing(path("made.sh"), soundsDir())); // one run at a time
        maker.wait();
        QVERIFY(!maker.running());
        QVERIFY(sound.loadedWithFile(Sound::Start));
        QVERIFY(op.shown.isEmpty());

        // A complete sounds folder needs no script; neither does a program without one.
        for (int slot = 1; slot < Sound::SlotCount; ++slot)
            if (*SoundFileName(slot) != '\0')
                writeFile(path("home/sounds/") + SoundFileName(slot), "x");
        QVERIFY(!maker.makeMissing(path("made.sh"), soundsDir()));
        QFile::remove(path("home/sounds/one.wav"));
        QVERIFY(!maker.makeMissing(QString(), soundsDir()));
    }

    void aFailedScriptIsToldAndWhatThereIsStillLoaded() {
        writeFile(path("fails.sh"),
                  "echo working\necho 'make_sounds: espeak-ng is not installed' >&2\nexit 1\n");
        LoadRecorder sound;
        test::RecordingOperator op;
        SoundMaker maker(sound, op);
        QVERIFY(maker.makeMissing(path("fails.sh"), path("failed/sounds").toStdString()));
        maker.wait();
        QCOMPARE(op.shown, QStringList{QStringLiteral(
                               "Some announcement sounds could not be made (make_sounds: "
                               "espeak-ng is not installed); the program plays the ones there "
                               "are.")});
        QVERIFY(!sound.loads.empty());
    }

    void aProgramThatEndsAtOnceWaitsForTheSounds() {
        writeFile(path("slow.sh"), "sleep 0.3 && mkdir -p \"$1\" && : > \"$1/slow.wav\"\n");
        LoadRecorder sound;
        test::RecordingOperator op;
        {
            SoundMaker maker(sound, op);
            QVERIFY(maker.makeMissing(path("slow.sh"), path("slow/sounds").toStdString()));
        }
        QVERIFY(QFileInfo::exists(path("slow/sounds/slow.wav")));
        QVERIFY(op.shown.isEmpty());
    }
};

QTEST_MAIN(InstalledProgramTest)
#include "installed_program_test.moc"

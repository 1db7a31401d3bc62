#include "platform/sound_maker.h"

#include "platform/latin1.h"
#include "race/sound_table.h"

#include <QEventLoop>

namespace vexa {

namespace {

constexpr int LongestWaitAtExitMs = 60'000;

// The script's last words on its error stream: the reason it stopped.
QString lastLine(const QByteArray& errors) {
    const QList<QByteArray> lines = errors.trimmed().split('\n');
    return QString::fromLocal8Bit(lines.last().trimmed());
}

} // namespace

SoundMaker::SoundMaker(SoundOut& sound, Operator& op) : sound_(sound), op_(op) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    connect(&process_, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                if (status == QProcess::NormalExit && exitCode == 0) return finish({});
                const QString reason = lastLine(process_.readAllStandardError());
                finish(reason.isEmpty() ? QStringLiteral("the sound script ended with code %1")
                                              .arg(status == QProcess::NormalExit ? exitCode : -1)
                                        : reason);
            });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(QStringLiteral("the sound script could not be started (%1)")
                       .arg(process_.errorString()));
    });
}

SoundMaker::~SoundMaker() {
    // Nothing is told or loaded any more: the sound output and the operator may be gone.
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(LongestWaitAtExitMs))
        process_.kill();
    process_.waitForFinished();
}

bool SoundMaker::makeMissing(const QString& script, const std::filesystem::path& soundsDir) {
    if (running_ || script.isEmpty() || soundTableComplete(soundsDir)) return false;
    soundsDir_ = soundsDir;
    running_ = true;
    process_.start(QStringLiteral("bash"), {script, QString::fromStdWString(soundsDir.wstring())});
    return true;
}

void SoundMaker::wait() {
    if (!running_) return;
    QEventLoop loop;
    connect(this, &SoundMaker::done, &loop, &QEventLoop::quit);
    loop.exec();
}

void SoundMaker::finish(const QString& failure) {
    if (!running_) return;
    running_ = false;
    loadSoundTable(sound_, soundsDir_);
    if (!failure.isEmpty())
        op_.notify(fromQt(QStringLiteral("Some announcement sounds could not be made (%1); the "
                                         "program plays the ones there are.")
                              .arg(failure)));
    emit done();
}

} // namespace vexa

#include "platform/qt_sound_out.h"

#include "platform/mixer_feed.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>
#include <optional>

namespace vexa {

namespace {
const char* const NoSoundDevice =
    "No sound device was found: the program runs without spoken announcements and pass beeps.";
const char* const SoundDeviceRefused =
    "The sound device could not be opened: the program runs without spoken announcements and "
    "pass beeps.";

// What the device holds ahead of the speaker: a sound starts at most this late, and the
// user-interface thread may be busy this long before the sound breaks up.
constexpr int BufferMs = 120;
constexpr int FeedIntervalMs = 20;

QAudioFormat audioFormat(AudioFormat format) {
    QAudioFormat f;
    f.setSampleFormat(QAudioFormat::Int16);
    f.setSampleRate(format.sampleRate);
    f.setChannelCount(format.channels);
    return f;
}

// The mixer's own format when the device takes it, else 16-bit samples at the device's rate
// with one or two channels.
std::optional<AudioFormat> formatFor(const QAudioDevice& device) {
    if (device.isFormatSupported(audioFormat(DefaultAudioFormat))) return DefaultAudioFormat;
    const QAudioFormat preferred = device.preferredFormat();
    const AudioFormat own{preferred.sampleRate(), std::clamp(preferred.channelCount(), 1, 2)};
    if (own.sampleRate > 0 && device.isFormatSupported(audioFormat(own))) return own;
    return std::nullopt;
}
} // namespace

QtSoundOut::QtSoundOut(QObject* parent) : QObject(parent) {
    feedTimer_.setInterval(FeedIntervalMs);
    feedTimer_.setTimerType(Qt::PreciseTimer);
    connect(&feedTimer_, &QTimer::timeout, this, &QtSoundOut::feed);
}

QtSoundOut::~QtSoundOut() {
    close();
}

Outcome QtSoundOut::open() {
    close();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return Outcome::failure(NoSoundDevice);
    const std::optional<AudioFormat> format = formatFor(device);
    if (!format) return Outcome::failure(SoundDeviceRefused);
    mixer_.setFormat(*format);

    sink_ = new QAudioSink(device, audioFormat(*format), this);
    sink_->setBufferSize(qsizetype(format->sampleRate) * format->channels * 2 * BufferMs / 1000);
    stream_ = sink_->start();
    if (!stream_ || sink_->error() != QAudio::NoError) {
        close();
        return Outcome::failure(SoundDeviceRefused);
    }
    feed();
    feedTimer_.start();
    return Outcome::success();
}

void QtSoundOut::close() {
    feedTimer_.stop();
    if (sink_) {
        sink_->stop();
        delete sink_;
    }
    sink_ = nullptr;
    stream_ = nullptr;
}

void QtSoundOut::load(int slot, const std::filesystem::path& file) {
    mixer_.load(slot, file);
}

bool QtSoundOut::active() const {
    return sink_ && stream_ && sink_->state() != QAudio::StoppedState;
}

void QtSoundOut::play(int channel, int slot) {
    if (active()) mixer_.play(channel, slot);
}

void QtSoundOut::feed() {
    // A device that went away stops the stream; the program carries on without sound.
    if (!active()) {
        feedTimer_.stop();
        return;
    }
    feedMixer(mixer_, *stream_, sink_->bytesFree(), buffer_);
}

} // namespace vexa

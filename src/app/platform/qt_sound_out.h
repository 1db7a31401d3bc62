#pragma once

#include "model/outcome.h"
#include "ports/sound_out.h"
#include "sound/mixer.h"

#include <QObject>
#include <QTimer>

#include <vector>

class QAudioSink;
class QIODevice;

namespace vexa {

// The sound mixer on the default audio output. `open()` once at start-up finds the device and
// starts a stream that a timer of the user-interface thread keeps filled from the mixer, never
// more than the device has room for, so playing never waits. Without a device the program runs
// on: `active()` is false and nothing plays. Sounds may be loaded before or after `open()`
// (`loadSoundTable(sound, program.home.soundsDir())` loads the announcements).
class QtSoundOut : public QObject, public SoundOut {
    Q_OBJECT
  public:
    explicit QtSoundOut(QObject* parent = nullptr);
    ~QtSoundOut() override;

    // Opens the default audio output. The failure carries the text to show the operator once.
    Outcome open();

    void load(int slot, const std::filesystem::path& file) override;
    bool active() const override;
    void play(int channel, int slot) override;

    const Mixer& mixer() const { return mixer_; }

  private:
    void feed();
    void close();

    Mixer mixer_;
    QAudioSink* sink_ = nullptr;
    QIODevice* stream_ = nullptr;
    QTimer feedTimer_;
    std::vector<int16_t> buffer_;
};

} // namespace vexa

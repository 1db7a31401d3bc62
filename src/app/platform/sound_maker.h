#pragma once

#include "ports/operator.h"
#include "ports/sound_out.h"

#include <QObject>
#include <QProcess>
#include <QString>

#include <filesystem>

namespace vexa {

// Makes the announcement sounds that a program home lacks, with the sound script an installed
// program ships (make_sounds.sh: the words spoken by espeak-ng, the beeps made by sox). The
// script takes a few seconds, so it runs beside the program, which starts meanwhile; once it has
// ended the sounds are loaded into the sound output, and a failure is told to the operator.
class SoundMaker : public QObject {
    Q_OBJECT
  public:
    SoundMaker(SoundOut& sound, Operator& op);
    // A script still running is waited for (a minute at most), so that a short first run never
    // cuts the sounds off halfway.
    ~SoundMaker() override;

    // Starts the script when the sounds folder lacks a sound of the table; false when there is
    // no script or nothing is missing.
    bool makeMissing(const QString& script, const std::filesystem::path& soundsDir);
    bool running() const { return running_; }
    // Handles events until the script has ended and its sounds are loaded.
    void wait();

  signals:
    void done();

  private:
    void finish(const QString& failure);

    SoundOut& sound_;
    Operator& op_;
    std::filesystem::path soundsDir_;
    QProcess process_;
    bool running_ = false;
};

} // namespace vexa

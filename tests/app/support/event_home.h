#pragma once

#include "program/event_store.h"
#include "program/program.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace vexa::test {

// A program home in a temporary folder for the tests of one window: each fresh() empties it and
// starts a new program there, with the event "Club" created and open unless asked otherwise.
class EventHome {
  public:
    Program& fresh(bool withEvent = true) {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        program_ = std::make_unique<Program>();
        program_->home.root = dir_.path().toStdString();
        startProgram(*program_);
        if (withEvent && !createEvent(*program_, "Club").ok) qFatal("the event was not created");
        return *program_;
    }
    Program& program() { return *program_; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Program> program_;
};

} // namespace vexa::test

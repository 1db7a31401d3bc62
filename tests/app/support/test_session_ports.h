#pragma once

#include "race/recording_ports.h"
#include "race/virtual_time.h"
#include "session/session.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"

#include <QUrl>

#include <memory>

namespace vexa::test {

// The ports of a session under test: virtual time, the recording operator and sound, print jobs
// that are kept in memory, and web addresses that open nothing.
inline SessionPorts testSessionPorts(VirtualClock& clock, VirtualScheduler& scheduler,
                                     RecordingOperator& op, RecordingPorts& sound) {
    SessionPorts ports;
    ports.clock = &clock;
    ports.scheduler = &scheduler;
    ports.op = &op;
    ports.sound = &sound;
    ports.printer = [] { return std::make_unique<PrintRecorder>(); };
    ports.chosenPrinter = [](QWidget*, const QString&) {
        return std::make_unique<PrintRecorder>();
    };
    ports.openUrl = [](const QUrl&) {};
    return ports;
}

} // namespace vexa::test

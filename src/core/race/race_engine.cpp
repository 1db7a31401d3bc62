#include "race/race_engine.h"

#include "program/program.h"

namespace vexa {

RaceEngine::RaceEngine(Program& program, const RacePorts& ports)
    : program_(program), ports_(ports), announcer_(ports.sound, program.settings.passBeeps),
      betweenRTimer_(ports.scheduler, true, [this] { countdownStep(); }),
      flasher_(ports.scheduler, true, [this] { flash(); }),
      startdelay_(ports.scheduler, false, [this] { startMassRace(); }),
      manualInteruptTimer_(ports.scheduler, true, [this] { clockTick(); }),
      endRaceTimer_(ports.scheduler, false, [this] { endOfRaceProcessing(); }),
      stagerStartTimer_(ports.scheduler, true, [this] { staggerCallOut(); }),
      scoreTimer_(ports.scheduler, false, [this] { scoreboardOnce(); }) {
    CountDevice = program.settings.countDevice;
    CountBeeps = program.settings.countBeeps;
}

void RaceEngine::panelChanged() {
    if (ports_.view) ports_.view->panelChanged();
}

} // namespace vexa

#pragma once

#include "race/standings.h"

namespace vexa {

struct ProgSettings;
class RaceEngine;

// What the race director chooses on the race panel, each taking effect at once.

// The extra column `slot` of the standings shows `type` from now on, its header and cells
// drawn again.
void chooseExtraColumn(RaceEngine& engine, int slot, ExtraColumn type);
// Four extra columns in a wide window, two in a narrow one; drawn again when that changes.
void fitExtraColumns(RaceEngine& engine, bool wide);
// The beep of every passing ("Passing Beeps"), heard from the next passing on.
void setPassBeeps(ProgSettings& settings, bool on);

} // namespace vexa

#pragma once

#include "model/finished_race.h"

#include <string>

namespace vexa {

// The average lap fixed(lastpass / lapcount, 3, 3), or empty when no lap was counted.
std::string averageLapText(const RaceDriver& d);

} // namespace vexa

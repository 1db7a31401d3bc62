#pragma once

#include "model/event_data.h"

namespace vexa {

// The frequency names a new program home starts with: the common crystal channels of the
// radio-control surface bands (27 MHz channels 1-6, 40 MHz 40.665-40.995, 75 MHz channels
// 61-90). A club edits them on "Frequency Setup".
FreqNames defaultFreqNames();

} // namespace vexa

#pragma once

#include "timing/decoder_monitor.h"
#include "timing/p3_frame.h"

namespace vexa {

struct EventData;

// What the transponder test shows of a P3 record, as for AMBrc:
// - a PASSING adds a memo line "Tx#:", the transponder number the program knows it by (for a
//   passing with a code only, the number its code makes), " Code:" and the code when it has one,
//   " Time:" and the decoder's time of day, then " Hits:" and " Signal:" (the strength) when the
//   record has them; it starts with the name of the competitor carrying that transponder, whom it
//   books in when he is disabled;
// - a STATUS sets the label: "(P3 Status)  Noise Level:" and the noise, then the temperature,
//   input voltage, GPS and satellites the decoder sent, as it sent them;
// - a VERSION answer adds a line per field it has ("Decoder Type:       AMBrc", ...), a GET_TIME
//   answer the line "Decoder Clock:      " and the time of day, an ERROR the line
//   "Decoder Error:      " with its code and text.
// Nothing else is shown.
MonitorOutput monitorP3Record(const P3Frame& frame, EventData& event);

} // namespace vexa

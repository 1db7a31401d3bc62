#pragma once

#include "output/report_context.h"
#include "program/program.h"

namespace vexa::test {

// A small event for the output tests:
//   class 1 "Touring" (heats 5 min, A 8, B 6, other 4), class 2 "Buggy" (heats 6 min)
//   Id 1 "Ann Lee"   class 1, mem "M1",  heat and final frequency 3 "27.045", transponder 1234567
//   Id 2 "Bob Stone" class 1, mem "M22", heat frequency 4 "27.095", final 5 "27.145", none
//   Id 3 "Christopher Montgomery Jr" (25 characters) class 2, mem "123456", needs no frequency
//   heats: race 1 slots 1 = Id 1, 2 = Id 2; race 2 slot 3 = Id 3; race 4 slot 1 = Id 2
inline Program smallProgram() {
    Program p;
    p.settings.eventTitle = "Club Day";
    p.settings.classes[1] = {"Touring", 5, 8, 6, 4, true, true};
    p.settings.classes[2] = {"Buggy", 6, 7, 7, 7, true, true};
    p.freqnames.names[3] = "27.045";
    p.freqnames.names[4] = "27.095";
    p.freqnames.names[5] = "27.145";

    comp_ent& ann = p.event.competitor(1);
    ann.name = "Ann Lee";
    ann.classno = 1;
    ann.memno = "M1";
    ann.heatfreq = ann.finalfreq = 3;
    ann.transponder = 1234567;
    comp_ent& bob = p.event.competitor(2);
    bob.name = "Bob Stone";
    bob.classno = 1;
    bob.memno = "M22";
    bob.heatfreq = 4;
    bob.finalfreq = 5;
    comp_ent& chris = p.event.competitor(3);
    chris.name = "Christopher Montgomery Jr";
    chris.classno = 2;
    chris.memno = "123456";
    chris.setNoFreqNeeded(true);

    p.event.heats.setSlotText(1, 1, "1");
    p.event.heats.setSlotText(1, 2, "2");
    p.event.heats.setSlotText(2, 3, "3");
    p.event.heats.setSlotText(4, 1, "2");
    return p;
}

inline const OutputIdentity& testIdentity() {
    static const OutputIdentity identity{"https://vexa.example.org", "Copyright (c) Vexa test",
                                         "Test Raceway"};
    return identity;
}

inline LocalMoment testMoment() {
    return LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9);
}

// The transcript of PrintHeader for the small event.
inline const char* const SmallEventHead = "{Arial 13 b}Vexa Free 0.14- https://vexa.example.org"
                                          "{Arial 12 i}  -  Printed:08/12/2026 - 14:05:09\n"
                                          "{Arial 12 u}Club Day\n"
                                          "\n";

} // namespace vexa::test

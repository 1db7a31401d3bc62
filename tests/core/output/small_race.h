#pragma once

#include "output/race_figures.h"

#include <initializer_list>

namespace vexa::test {

inline RaceDriver entrant(int compno, const std::string& name, int carno, int transponder,
                          std::initializer_list<double> laps) {
    RaceDriver d;
    d.compno = compno;
    d.drivername = name;
    d.carno = carno;
    d.transponder = transponder;
    int n = 0;
    for (const double t : laps) {
        d.laptimes[static_cast<size_t>(++n)] = t;
        d.lastpass += t;
        d.lastlap = t;
        if (d.fastestlap == 0.0 || t < d.fastestlap) d.fastestlap = t;
    }
    d.lapcount = n;
    d.carstate = RaceDriver::CarFinished;
    return d;
}

// Heat 3 of round 2, class 1, in this finishing order:
//   Ann Lee (Id 1), car 1, transponder 1234567: 31.2 32.1 32.2 = 3 laps in 95.5 s; best earlier
//     result 2 laps, so improved; leader
//   Bob Stone (Id 2), car 2, no transponder: 32.0 33.0 32.25 = 3 laps in 97.25 s, 1.75 s behind;
//     no earlier result
//   Christopher Montgomery Jr (Id 3), car 4, transponder 555: 40.0 = 1 lap, 2 laps behind; best
//     earlier result 5 laps
inline RaceDrivers smallRaceDrivers() {
    RaceDrivers drivers{entrant(1, "Ann Lee", 1, 1234567, {31.2, 32.1, 32.2}),
                        entrant(2, "Bob Stone", 2, 0, {32.0, 33.0, 32.25}),
                        entrant(3, "Christopher Montgomery Jr", 4, 555, {40.0})};
    drivers[0].bestlapcount = 2;
    drivers[0].besttime = 70.0;
    drivers[0].leadergap = 3;
    drivers[1].leadergap = 1.75;
    drivers[2].bestlapcount = 5;
    drivers[2].besttime = 150.0;
    drivers[2].leadergap = -2;
    for (int k = 0; k < 3; ++k) drivers[static_cast<size_t>(k)].runorder = k;
    return drivers;
}

inline FinishedRace heatOf(const RaceDrivers& drivers) {
    return {drivers, 3, 2, false, 1, "", 0.0};
}

} // namespace vexa::test

#pragma once

#include "ports/timed_race.h"
#include "timing/decoder_clock_origin.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

struct ProgSettings;
struct P3Passing;
class Clock;
class TimingView;

inline constexpr const char* WrongDecoderNote = "Decoder has incorrect ID";
inline constexpr const char* InvalidTimeNote = "Passing outside specified parameters (not counted)";
inline constexpr const char* P3BeforeStartNote =
    "Passing before the start of the race (not counted)";
inline constexpr const char* P3NoTransponderNote =
    "Passing without a usable transponder (not counted)";

// A passing the decoder sent again too late to be counted in its place (a stagger start, a lap
// limit): the race director can add it in "Correct Results".
std::string latePassingNotice(int carno, const std::string& driver, double raceSeconds);
// A passing the decoder sent again after the race it belongs to was stored.
std::string passingAfterStoreNotice(const std::string& race, int carno, const std::string& driver,
                                    double raceSeconds);

// The unknown cars one race takes on: more than a track holds, few enough that a flood of
// strange transponders cannot slow the counting of the race.
inline constexpr int MaxUnknownCars = 100;
inline constexpr const char* UnknownCarLimitNotice =
    "100 unknown cars are in this race: passings of further unknown transponders are not "
    "counted";

// Turns decoder records into passings of the race engine: finds the entrant a record names
// (by transponder, through the track transponder sets, or as a new unknown car), writes its
// hits and signal, and calls `sortCarPass`. The caller decides whether records are for the race
// at all; this only reads them. AMBrc and System 20 passing times are on the decoder's clock,
// related to the race clock by `clockOrigin` (the switching on restarts that clock).
class PassingCounter {
  public:
    PassingCounter(const ProgSettings& settings, TimedRace& race, TimingView& view,
                   const Clock& clock)
        : settings_(settings), race_(race), view_(view), clock_(clock) {}

    void countAmbrc(std::string_view record, int32_t decoderId);
    // A P3 passing whose race time has been worked out from the decoder's clock: the entrant by
    // its transponder number (p3_transponder.h), hits and strength as for AMBrc, and the time
    // kept however late the record came (sortRecordedPass). A passing without hits is not held
    // to the hits minimum. One made before the car's last counted crossing is counted in its
    // place; where it cannot be, the operator is told.
    void countP3(const P3Passing& passing, double raceTime);
    // A P3 passing sent again after its race (the last one run, `raceTime` on its clock) was
    // stored: the operator is told which race, car and second it belongs to, for "Correct
    // Results". False when it belongs to no car of that race.
    bool tellPassingAfterStore(const P3Passing& passing, double raceTime);
    void countSystem20(std::string_view record);
    void countEx20(std::string_view record);
    void countItalian(std::string_view record);
    // The secondary System 20 decoder on the track-controller port: known cars only.
    void countSecondSystem20(std::string_view record);

    // The entrant a transponder belongs to, or -1 when none is found and no unknown car may be
    // added any more. A track-set transponder is remembered in its entrant when `keep` is true.
    int entrantForTransponder(int32_t transponder, bool keep);
    // The entrant with the car number, or a new unknown car, or -1.
    int entrantForCarNumber(int32_t carno);

    // When the AMBrc or System 20 decoder's clock counts from.
    DecoderClockOrigin& clockOrigin() { return clockOrigin_; }

  private:
    // The race time of a decoder time of a record arriving now.
    double raceSeconds(double decoderSeconds);
    // A new unknown car, or -1 when the race time is over or the race has all the unknown cars
    // it takes; the car that reaches the limit brings the notice.
    int addUnknownCar(int32_t carno, int32_t transponder);
    void conversionError(std::string_view text);
    void tooFewHits(int32_t transponder, std::string_view hitsText);

    const ProgSettings& settings_;
    TimedRace& race_;
    TimingView& view_;
    const Clock& clock_;
    DecoderClockOrigin clockOrigin_;
};

} // namespace vexa

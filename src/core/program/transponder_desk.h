#pragma once

#include "files/house_transponders_file.h"
#include "model/event_data.h"
#include "model/outcome.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

struct Program;

// What returning a loan transponder did: the outcome, and whether the driver of the open event
// got his own transponder back (his entry changed, the competitors file is to be written).
struct LoanReturn {
    Outcome outcome;
    bool competitorChanged = false;
};

// The transponder desk: the club's loan transponders as their file in the program home holds
// them, lent at booking-in to a driver of the open event (whose transponder is the loan's for
// the meeting) and returned with one press. Each change reads the file again, so that two
// windows never undo each other, and is written whole before it counts: a change that cannot be
// written changes neither the list nor the driver.
class TransponderDesk {
  public:
    explicit TransponderDesk(std::filesystem::path file);

    // The list as the file held it at the last reading or change.
    const HouseTransponders& transponders() const { return list_; }
    void reload();

    // A new loan transponder: the number typed (1 to 9999999, not in the list yet) and its label.
    Outcome add(const std::string& numberText, const std::string& label);
    // Takes a transponder off the list; one that is lent out stays until it is returned.
    Outcome remove(int32_t number);

    // Lends the transponder to competitor `id` of the open event `eventName`: his transponder
    // becomes the loan's, the one he had is kept with the loan. Refused for a transponder out
    // already, a free entry, or a driver who holds another loan.
    Outcome lend(int32_t number, EventData& event, const std::string& eventName, int id);
    // Returns a lent transponder. When the loan was made in the open event (`event` with
    // `eventName`) and the driver still has the loan's number, his own transponder is put back.
    LoanReturn giveBack(int32_t number, EventData* event, const std::string& eventName);

    // The loans not returned, by number.
    std::vector<HouseTransponder> out() const;
    // The loan transponders not lent, by number.
    std::vector<HouseTransponder> available() const;
    // The loan transponder a competitor of the event holds, if any.
    std::optional<int32_t> loanOf(const std::string& eventName, int id) const;

  private:
    const HouseTransponder* find(int32_t number) const;
    Outcome save(HouseTransponders changed);

    std::filesystem::path file_;
    HouseTransponders list_;
};

// A transponder as a line of a list: "4012345  Club 3", and while it is out
// "4012345  Club 3  lent to Bob Ray (Club Day)".
std::string houseTransponderLine(const HouseTransponder& transponder);

// The desk's lending and returning on the program's open event, its competitors file written
// after a driver's transponder changed. With no event open nothing can be lent.
Outcome lendHouseTransponder(TransponderDesk& desk, Program& program, int32_t number, int id);
Outcome returnHouseTransponder(TransponderDesk& desk, Program& program, int32_t number);

// A driver's transponder for the rest of the meeting (the one whose laps were given to him):
// his entry in the open event changes and the competitors file is written.
Outcome keepTransponderForMeeting(Program& program, int id, int32_t transponder);

// What the program says as it ends with loans not returned; empty when every one is back.
std::string transpondersOutMessage(const std::vector<HouseTransponder>& out);

} // namespace vexa

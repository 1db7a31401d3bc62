#pragma once

#include "model/outcome.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// A loan of a house transponder: to whom, in which event, and the transponder the driver had
// before it, put back when it is returned.
struct TransponderLoan {
    std::string event;  // the event's folder name
    int id = 0;         // the competitor in that event
    std::string driver; // his name when it was lent
    int32_t own = 0;    // his transponder before the loan, 0 for none
    bool operator==(const TransponderLoan&) const = default;
};

// One of the club's loan transponders, out while it has a loan.
struct HouseTransponder {
    int32_t number = 0;
    std::string label;
    std::optional<TransponderLoan> loan;
    bool operator==(const HouseTransponder&) const = default;
};

// The club's loan transponders, in ascending order of number.
using HouseTransponders = std::vector<HouseTransponder>;

// The file's text: one section a transponder, named by its number, with its label and, while it
// is lent, the loan:
//   [4012345]
//   Label=Club 3
//   Event=Club Day
//   Driver=12
//   Name=Bob Ray
//   Own=0
std::string houseTransponderText(const HouseTransponders& list);
// Read tolerantly: a section whose name is not a number above 0 is skipped with its keys, a
// number given twice is kept once (the first), a loan without its event or driver is no loan.
HouseTransponders readHouseTransponders(const std::string& text);

// A missing file is an empty list.
HouseTransponders loadHouseTransponders(const std::filesystem::path& path);
Outcome saveHouseTransponders(const std::filesystem::path& path, const HouseTransponders& list);

} // namespace vexa

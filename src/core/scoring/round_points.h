#pragma once

#include "model/event_data.h"
#include "scoring/order_list.h"
#include "settings/prog_settings.h"

#include <string>
#include <vector>

namespace vexa {

// One line of the points standings of a class.
struct PointsLine {
    int position = 0; // running number within the class: equal totals do not share it
    int id = 0;
    std::string name;
    int total = 0;    // the sum of the counted round positions; lowest wins
    int bestLaps = 0; // the best result among the counted rounds (0 / 0.0 when none)
    double bestTime = 0.0;
    std::vector<int> roundPositions; // one per round first..last; 0 = not placed
};

struct PointsClass {
    int classno = 0;
    std::string className;
    int drivers = 0; // the class's competitors who are in use and enabled
    std::vector<PointsLine> lines;
};

// The round-by-round ("RbyR / Points") scoring over rounds first..last counting the best `count`
// rounds of each competitor.
struct PointsStandings {
    int first = 0;
    int last = 0;
    int count = 0;
    // Mode 1, the points report: per class with at least one enabled competitor in use, the
    // scoring participants by lowest total, then more best laps, lower best time, lower Id.
    std::vector<PointsClass> classes;
    // Mode 2, the re-seeding order: the same order over the whole field, all classes together.
    OrderList wholeField{};
};

// Within each class and round, competitors are placed by their result; equal results share a
// position and the next different result takes the following number (1, 1, 2). Competitors
// without a result in a round (no laps) are placed after all who have one, sharing one position.
// A competitor's total adds his `count` lowest round positions (on equal positions the round with
// more laps, then the shorter time, then the earlier round is counted first); with fewer rounds in
// the range, all of them.
PointsStandings RoundPoints(const EventData& event, const ProgSettings& settings, int first,
                            int last, int count, bool includeNoScore);

} // namespace vexa

#pragma once

#include <string>

namespace vexa {

struct ProgSettings;
struct EventData;

// What names a race of a racing table before it is set up: its class (from its first driver),
// final letter, length, start type and the titles the race panel and the application show.
struct RaceHeading {
    bool hasDrivers = false;
    int classNo = 0;
    std::string finalLetter; // finals only: the last character of the race's information
    int minutes = 0;
    bool mass = true;
    std::string title;    // "Buggy Heat# 3", "Buggy A Final# 7"
    std::string appTitle; // "Vexa H:3 R:2", "Vexa F:7 R:3"
};

// The race `race` of the heats (or finals) table in round `round`. A race without drivers has
// no title.
RaceHeading raceHeading(const ProgSettings& settings, const EventData& event, bool heats, int race,
                        int round);

// The round as the race panel and the race screen show it: "Round 2".
std::string roundText(int round);

} // namespace vexa
